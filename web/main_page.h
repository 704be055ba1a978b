#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "form/effect.h"
#include "form/form_presenter.h"
#include "web/installation_view.h"
#include "web/page_operations.h"
#include "web/page_record.h"
#include "form/window_traits.h"

// The one window as a page. The page's HTML holds the form's elements
// (page_markup); its bridge (page/page_bridge.js) carries every DOM event of
// theirs here with their state, which this turns into the form's event and
// hands to the form; the effects the form answers become the DOM operations
// the bridge carries out. It decides nothing: what it keeps are the page's
// own ways of showing what the form says (the note in a strip below the
// form, from the column of the control it names; the sizing in the
// address, the title and the printed sheet; the form floating in a window
// of its own to stay on top).
//
// The page has a second view, the installation (InstallationView), beside
// the form, and one address: `#impianto=...` is the installation's, any
// other the form's. The page opens at the view its address names, a
// changed address goes to the view it names (a link between the views is
// such a change), and only the view shown writes the address and title.
class MainPage {
public:
    MainPage(const tubaro::WindowTraits& traits, std::string decimal_separator);

    // The ids the bridge binds: the controls, in their order, and the page's
    // own elements the operations name.
    static std::vector<std::string_view> control_ids();
    static std::vector<std::string_view> page_ids();
    // The views beside the form whose events the bridge carries.
    static std::vector<std::string_view> view_ids();

    // One record of the bridge's; the operations, as it reads them.
    std::string handle(std::string_view record);

private:
    void answer(const PageRecord& record, const tubaro::FormEvent& event);
    void apply(const tubaro::Effect& effect);
    // The page as built from its HTML, made what this browser shows: Check1
    // where the form cannot float.
    void as_this_browser_shows_it();
    // Which view the page shows; a changed address, to the view it names.
    void show_installation(bool shown);
    bool address_changed(std::string_view fragment);

    tubaro::WindowTraits m_traits;
    tubaro::FormPresenter m_form;
    PageOperations m_operations;
    InstallationView m_installation;
    bool m_installation_shown = false;
    // What the form last said of its sizing, for the address and the title
    // when it is shown again, and its link.
    std::string m_form_fragment;
    std::string m_form_title;
};
