#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "rules/section_line.h"

namespace tubaro {

// An installation as a page's address keeps it, after its '#':
//
//   impianto=Montante,,10,26,;Caldaia,Montante,6,,24&ammessa=100
//
// the sections in their order, each its five texts TRATTO DA L D KW
// between commas, sections between semicolons, then the allowance, last,
// so that an address cut short (a chat that stops a link at a comma, a
// copy of half of it) is known for one. Texts are written as a sizing's
// link writes them (link_value): numbers with the point whatever the
// writer's separator, names with every point escaped, and every byte but a
// letter, a digit and - _ ~ as %XX, so a comma, a semicolon or an & in a
// name is only ever a name's.
inline constexpr std::string_view kInstallationLinkName = "impianto";
inline constexpr std::string_view kAllowanceLinkName = "ammessa";

// The most sections an address opens, and a page holds.
inline constexpr std::size_t kMostSections = 200;
// The longest text of a field an address gives, in bytes once read: far
// beyond a name's 40 characters or any number a field takes.
inline constexpr std::size_t kLongestLinkText = 1000;

// The fresh installation a page starts with: a meter, a first section, a
// boiler and a hob, their pipes proposed.
inline constexpr std::string_view kExampleFragment =
    "impianto=Montante,,10,26,;Caldaia,Montante,6,,24;Piano%20cottura,Montante,5,,8.5&ammessa=100";

// Whether a fragment (without its '#') is an installation's, not a sizing's.
bool names_installation(std::string_view fragment);

// The fragment for these texts, read with `decimal_separator`. Texts that a
// reader would leave out (see below) are written all the same: the address
// says what the screen shows.
std::string installation_fragment(std::string_view allowance, std::span<const SectionLine> lines,
                                  std::string_view decimal_separator);

// What a fragment gives, its points in the reader's `decimal_separator`.
// A section is left out where it is not five texts, an escape is broken, a
// text is longer than kLongestLinkText or is no plain one-line text
// (plain_line_text), or it comes after kMostSections. Nothing in it is
// markup or code: it is only ever read back as texts.
struct InstallationLink {
    std::vector<PerSectionField<std::string>> sections;
    std::optional<std::string> allowance;  // none where the address gives none it can use
    std::size_t unreadable = 0;            // sections left out as unreadable
    std::size_t beyond_most = 0;           // sections left out past kMostSections
    bool cut_short = false;                // no allowance after the sections
    bool allowance_unreadable = false;     // one given, but broken

    bool whole() const { return unreadable == 0 && beyond_most == 0 && !cut_short && !allowance_unreadable; }
};

InstallationLink read_installation_fragment(std::string_view fragment, std::string_view decimal_separator);

}  // namespace tubaro
