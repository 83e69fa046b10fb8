#include "ui/CDialogBuilder.h"

#include <pugixml.hpp>

#include "platform/Text.h"
#include "platform/Trace.h"
#include "ui/AttributeParse.h"
#include "ui/CControlFactory.h"
#include "ui/CPaintManagerUI.h"
#include "ui/CResourceManager.h"
#include "ui/controls/CContainerUI.h"

namespace warden {
namespace {

// Deeper trees are refused rather than risking the stack on hostile input.
constexpr int kMaxDepth = 100;
constexpr int kMaxIncludeDepth = 8;
constexpr int kMaxIncludeCount = 1000;
// Nested includes multiply: one build may include this many files in all.
constexpr int kMaxIncludesPerBuild = 10000;

bool IsTrue(const pugi::xml_attribute& a) {
    return ParseBool(a.value()).value_or(false);
}

}  // namespace

CControlUI* CDialogBuilder::Create(std::string_view xml, IDialogBuilderCallback* callback,
                                   CPaintManagerUI* manager, CControlUI* parent) {
    m_callback = callback;
    int budget = kMaxIncludesPerBuild;
    if (m_includesLeft == nullptr) m_includesLeft = &budget;
    CControlUI* root = Build(xml, manager, parent);
    if (m_includesLeft == &budget) m_includesLeft = nullptr;
    return root;
}

CControlUI* CDialogBuilder::Build(std::string_view xml, CPaintManagerUI* manager,
                                  CControlUI* parent) {
    pugi::xml_document doc;
    pugi::xml_parse_result parsed;
    std::string source;
    if (!xml.empty() && xml.front() == '<') {
        parsed = doc.load_buffer(xml.data(), xml.size());
        source = "(text)";
    } else {
        source = CPaintManagerUI::ResolvePath(CResourceManager::GetInstance().GetResourcePath(xml));
        parsed = doc.load_file(source.c_str());
    }
    if (!parsed) {
        Trace("layout %s not built: %s at %td\n", source.c_str(), parsed.description(),
              parsed.offset);
        return nullptr;
    }
    CControlUI* root = BuildDocument(doc.document_element(), manager, parent);
    if (!root) Trace("layout %s has no control\n", source.c_str());
    return root;
}

CControlUI* CDialogBuilder::BuildDocument(const pugi::xml_node& root, CPaintManagerUI* manager,
                                          CControlUI* parent) {
    if (!root) return nullptr;
    if (!EqualsNoCase(root.name(), "Window")) return Parse(root.parent(), parent, manager);
    if (manager) ApplyWindow(root, manager);
    return Parse(root, parent, manager);
}

void CDialogBuilder::ApplyWindow(const pugi::xml_node& window, CPaintManagerUI* manager) {
    for (pugi::xml_attribute a : window.attributes()) {
        std::string_view name = a.name();
        if (name == "size") {
            if (auto s = ParseSize(a.value()); s && s->cx >= 0 && s->cy >= 0)
                manager->SetInitSize(s->cx, s->cy);
        } else if (name == "mininfo") {
            if (auto s = ParseSize(a.value())) manager->SetMinInfo(s->cx, s->cy);
        } else if (name == "caption") {
            if (auto r = ParseRect(a.value())) manager->SetCaptionRect(*r);
        } else if (name == "defaultfontcolor") {
            if (auto c = ParseColor(a.value())) manager->SetDefaultFontColor(*c);
        } else if (name == "disabledfontcolor") {
            if (auto c = ParseColor(a.value())) manager->SetDefaultDisabledColor(*c);
        } else if (name == "layered" || name == "bktrans") {
            manager->SetLayered(IsTrue(a));
        }
    }
    for (pugi::xml_node child : window.children()) {
        std::string_view tag = child.name();
        bool shared = IsTrue(child.attribute("shared"));
        if (EqualsNoCase(tag, "Font")) {
            auto id = ParseInt(child.attribute("id").value());
            int size = ParseInt(child.attribute("size").value()).value_or(12);
            if (size <= 0 || size > 500) size = 12;
            std::string face = child.attribute("name").value();
            bool bold = IsTrue(child.attribute("bold"));
            bool underline = IsTrue(child.attribute("underline"));
            bool italic = IsTrue(child.attribute("italic"));
            if (id) manager->AddFont(*id, face, size, bold, underline, italic, shared);
            if (IsTrue(child.attribute("default")) || !id)
                manager->SetDefaultFont(face, size, bold, underline, italic, shared);
        } else if (EqualsNoCase(tag, "Default")) {
            const char* name = child.attribute("name").value();
            if (*name)
                manager->AddDefaultAttributeList(name, child.attribute("value").value(), shared);
        } else if (EqualsNoCase(tag, "Style")) {
            const char* name = child.attribute("name").value();
            if (*name) manager->AddStyle(name, child.attribute("value").value(), shared);
        }
    }
}

CControlUI* CDialogBuilder::CreateNode(std::string_view className) const {
    if (CControlUI* control = CControlFactory::GetInstance()->CreateBuiltin(className))
        return control;
    if (m_callback)
        if (CControlUI* control = m_callback->CreateControl(className)) return control;
    return CControlFactory::GetInstance()->CreateControl(className);
}

CControlUI* CDialogBuilder::Parse(const pugi::xml_node& node, CControlUI* parent,
                                  CPaintManagerUI* manager) {
    if (++m_depth > kMaxDepth) {
        --m_depth;
        Trace("layout nested deeper than %d levels: rest ignored\n", kMaxDepth);
        return nullptr;
    }
    auto* container =
        parent ? static_cast<CContainerUI*>(parent->GetInterface("Container")) : nullptr;
    CControlUI* first = nullptr;
    for (pugi::xml_node child : node.children()) {
        if (child.type() != pugi::node_element) continue;
        std::string_view className = child.name();
        if (EqualsNoCase(className, "Font") || EqualsNoCase(className, "Default") ||
            EqualsNoCase(className, "Style") || EqualsNoCase(className, "Image"))
            continue;
        if (EqualsNoCase(className, "Include")) {
            int count = ParseInt(child.attribute("count").value()).value_or(1);
            count = std::clamp(count, 0, kMaxIncludeCount);
            // Without a parent only one tree can be handed back: build one.
            if (!parent) count = std::min(count, 1);
            std::string file = child.attribute("source").value();
            if (file.empty() || m_includeDepth >= kMaxIncludeDepth) {
                Trace("include %s skipped\n", file.c_str());
                continue;
            }
            for (int i = 0; i < count; ++i) {
                if (*m_includesLeft <= 0) {
                    Trace("include %s skipped: more than %d includes\n", file.c_str(),
                          kMaxIncludesPerBuild);
                    break;
                }
                --*m_includesLeft;
                CDialogBuilder nested;
                nested.m_includeDepth = m_includeDepth + 1;
                nested.m_includesLeft = m_includesLeft;
                CControlUI* included = nested.Create(file, m_callback, manager, parent);
                if (!first) first = included;
                if (!included) break;
            }
            if (!parent && first) break;
            continue;
        }
        CControlUI* control = CreateNode(className);
        if (!control) {
            Trace("layout class %s unknown: no control\n", child.name());
            continue;
        }
        if (manager) control->SetManager(manager, nullptr, false);
        if (manager) {
            std::string defaults = manager->GetDefaultAttributeList(className);
            if (!defaults.empty()) control->ApplyAttributeList(defaults);
        }
        if (child.first_child()) Parse(child, control, manager);
        for (pugi::xml_attribute a : child.attributes()) control->SetAttribute(a.name(), a.value());
        if (parent) {
            if (!container || !container->Add(control)) {
                Trace("layout: %s cannot hold %s\n", node.name(), child.name());
                delete control;
                continue;
            }
        }
        if (!first) first = control;
        // Without a parent only the first control tree is returned.
        if (!parent) break;
    }
    --m_depth;
    return first;
}

}  // namespace warden
