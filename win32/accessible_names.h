#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string_view>
#include <vector>

// Names for assistive technology on controls whose own text would not give
// one (the option buttons and the check box have no caption; an edit takes
// its name from the label before it, which the indicator has none of):
// Microsoft Active Accessibility's dynamic annotation, through COM, which
// only this needs and so starts itself. Where the service refuses (Wine 8
// answers E_NOTIMPL), the controls keep their tooltips and nothing more.
class AccessibleNames {
public:
    AccessibleNames();
    ~AccessibleNames();
    AccessibleNames(const AccessibleNames&) = delete;
    AccessibleNames& operator=(const AccessibleNames&) = delete;

    void name(HWND control, std::wstring_view name);

private:
    HRESULT m_com;
    IAccPropServices* m_services = nullptr;
    std::vector<HWND> m_named;
};
