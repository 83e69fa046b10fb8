#pragma once
// One private font of the program, loaded from memory into the application's
// font database and removed again at the end of the run.

#include <filesystem>
#include <string_view>

namespace warden {

class CFontFile {
public:
    // Fonts are looked up below `programFolder` (the folder of skin/ and Font/).
    explicit CFontFile(std::filesystem::path programFolder);
    ~CFontFile();
    CFontFile(const CFontFile&) = delete;
    CFontFile& operator=(const CFontFile&) = delete;

    // Reads programFolder/relativePath whole and adds it to the font database.
    // Returns false (traced) when the file is missing, unreadable, too large
    // or not a font; the program then uses the system's fonts.
    // Needs the Qt application object.
    bool Load(std::string_view relativePath);
    // Removes the font again; nothing happens when none was loaded.
    void Remove();

    bool IsLoaded() const { return m_id >= 0; }

private:
    std::filesystem::path m_programFolder;
    std::filesystem::path m_path;
    int m_id = -1;
};

}  // namespace warden
