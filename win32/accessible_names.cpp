#include "win32/accessible_names.h"

#include <string>

AccessibleNames::AccessibleNames() : m_com(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))
{
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&m_services))))
        m_services = nullptr;
}

AccessibleNames::~AccessibleNames()
{
    if (m_services) {
        MSAAPROPID name = PROPID_ACC_NAME;
        for (HWND control : m_named)
            m_services->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, &name, 1);
        m_services->Release();
    }
    if (SUCCEEDED(m_com))
        CoUninitialize();
}

void AccessibleNames::name(HWND control, std::wstring_view name)
{
    if (!m_services)
        return;
    const std::wstring text(name);
    if (SUCCEEDED(m_services->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, text.c_str())))
        m_named.push_back(control);
}
