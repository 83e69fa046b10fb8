#pragma once
// The skin's resource list (ids -> files, "res.xml") and the language texts
// (key -> text). Controls in resource-text mode show the text of their key.
// UI thread only.

#include <map>
#include <string>
#include <string_view>

#include "ui/UIDefine.h"

namespace warden {

class CResourceManager {
public:
    static CResourceManager& GetInstance();

    // Reads a resource list: <Res><Xml|Image|...><Item id="" path=""/></...></Res>.
    // `file` is resolved under the paint manager's resource path. Returns
    // false (traced, nothing changed) when it is missing or malformed.
    bool LoadResource(std::string_view file);
    // The file an id names, or the id itself when the list has no such id
    // (so that plain file names work as ids).
    std::string GetResourcePath(std::string_view id) const;

    // The current language's name (informational; "Language_name").
    void SetLanguage(std::string_view name) { m_language = name; }
    const std::string& GetLanguage() const { return m_language; }
    // Replaces the texts with a language file: <Language><Text id="key"
    // value="text"/>...</Language>. False (texts kept) when missing or
    // malformed.
    bool LoadLanguage(std::string_view file);
    // The text of `key`: the language file's, else the query interface's,
    // else the key itself.
    std::string GetText(std::string_view key) const;
    void SetTextQueryInterface(IQueryControlText* query) { m_query = query; }
    // Repaints every control of every window so the new texts show.
    void ReloadText();
    // Forgets the resource list and the texts (tests).
    void Reset();

private:
    std::map<std::string, std::string, std::less<>> m_resources;
    std::map<std::string, std::string, std::less<>> m_texts;
    std::string m_language;
    IQueryControlText* m_query = nullptr;
};

}  // namespace warden
