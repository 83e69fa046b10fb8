#pragma once
// Creates controls by class name: the library's own classes, and the
// program's classes registered with RegistControl.

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace warden {

class CControlUI;

class CControlFactory {
public:
    using CreateClass = std::function<CControlUI*()>;

    static CControlFactory* GetInstance();

    // A new control of the library class `className` (case-insensitive:
    // "VerticalLayout", "Button", ...), or null when it is not one.
    CControlUI* CreateBuiltin(std::string_view className) const;
    // A new control of a registered class, or null.
    CControlUI* CreateControl(std::string_view className) const;
    // Registers (or replaces) a class; names compare case-insensitively.
    void RegistControl(std::string_view className, CreateClass create);
    void UnregistControl(std::string_view className);

private:
    CControlFactory();
    std::map<std::string, CreateClass> m_builtin;
    std::map<std::string, CreateClass> m_registered;
};

}  // namespace warden
