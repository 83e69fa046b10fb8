#include "ui/CResourceManager.h"

#include <pugixml.hpp>

#include "platform/Trace.h"
#include "ui/CPaintManagerUI.h"
#include "ui/controls/CControlUI.h"

namespace warden {
namespace {

bool LoadXml(pugi::xml_document& doc, std::string_view file) {
    std::string path = CPaintManagerUI::ResolvePath(file);
    pugi::xml_parse_result parsed = doc.load_file(path.c_str());
    if (!parsed) {
        Trace("resource file %s not loaded: %s\n", path.c_str(), parsed.description());
        return false;
    }
    return true;
}

}  // namespace

CResourceManager& CResourceManager::GetInstance() {
    static CResourceManager manager;
    return manager;
}

bool CResourceManager::LoadResource(std::string_view file) {
    pugi::xml_document doc;
    if (!LoadXml(doc, file)) return false;
    pugi::xml_node root = doc.document_element();
    for (pugi::xml_node group : root.children())
        for (pugi::xml_node item : group.children("Item")) {
            std::string id = item.attribute("id").value();
            std::string path = item.attribute("path").value();
            if (!id.empty() && !path.empty()) m_resources[id] = path;
        }
    return true;
}

std::string CResourceManager::GetResourcePath(std::string_view id) const {
    auto it = m_resources.find(id);
    return it == m_resources.end() ? std::string(id) : it->second;
}

bool CResourceManager::LoadLanguage(std::string_view file) {
    pugi::xml_document doc;
    if (!LoadXml(doc, file)) return false;
    std::map<std::string, std::string, std::less<>> texts;
    for (pugi::xml_node text : doc.document_element().children("Text")) {
        std::string id = text.attribute("id").value();
        if (!id.empty()) texts[id] = text.attribute("value").value();
    }
    m_texts = std::move(texts);
    return true;
}

std::string CResourceManager::GetText(std::string_view key) const {
    if (auto it = m_texts.find(key); it != m_texts.end()) return it->second;
    if (m_query) {
        std::string text = m_query->QueryControlText(key, {});
        if (!text.empty()) return text;
    }
    return std::string(key);
}

void CResourceManager::ReloadText() {
    for (CPaintManagerUI* manager : CPaintManagerUI::GetPaintManagers()) {
        if (CControlUI* root = manager->GetRoot()) {
            root->ForEach([](CControlUI* c) {
                if (c->IsResourceText()) c->ReloadText();
                return false;
            });
            manager->NeedUpdate();
        }
        manager->Invalidate();
    }
}

void CResourceManager::Reset() {
    m_resources.clear();
    m_texts.clear();
    m_language.clear();
    m_query = nullptr;
}

}  // namespace warden
