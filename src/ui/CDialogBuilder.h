#pragma once
// Builds control trees from XML layouts. A layout is a <Window> (its size,
// fonts, default attribute lists and styles go to the paint manager) around
// one root control, or a bare control tree. Tags name control classes:
// library classes first, then the callback, then the registered factory;
// an unknown class yields no control (and none of its children).
// <Include source="file" count="n"/> builds another layout in place.

#include <string>
#include <string_view>

namespace pugi {
class xml_node;
}

namespace warden {

class CControlUI;
class CPaintManagerUI;
class IDialogBuilderCallback;

class CDialogBuilder {
public:
    // Builds the layout `xml`: a resource id or file name (resolved under
    // the resource path), or XML text when it starts with '<'. With
    // `parent` (a container) the built controls are added to it. Returns the
    // root control, owned by the caller (or `parent`); null when the layout
    // is missing, not well-formed or yields no control (traced).
    CControlUI* Create(std::string_view xml, IDialogBuilderCallback* callback = nullptr,
                       CPaintManagerUI* manager = nullptr, CControlUI* parent = nullptr);

private:
    CControlUI* Build(std::string_view xml, CPaintManagerUI* manager, CControlUI* parent);
    CControlUI* BuildDocument(const pugi::xml_node& root, CPaintManagerUI* manager,
                              CControlUI* parent);
    void ApplyWindow(const pugi::xml_node& window, CPaintManagerUI* manager);
    CControlUI* Parse(const pugi::xml_node& node, CControlUI* parent, CPaintManagerUI* manager);
    CControlUI* CreateNode(std::string_view className) const;

    IDialogBuilderCallback* m_callback = nullptr;
    int m_depth = 0;
    int m_includeDepth = 0;
    // Shared by the nested builders of one build.
    int* m_includesLeft = nullptr;
};

}  // namespace warden
