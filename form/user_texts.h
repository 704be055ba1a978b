#pragma once

#include <string_view>

// Every text the windows and the page show a user, in Italian, in one place:
// but the window's own captions and descriptions, which are its data
// (window_data.h), the error kinds' names (error_name), an installation's
// words (installation_words.h) and the command line's, which only it writes.
namespace tubaro::texts {

// The information line: the author's address, then the version line.
inline constexpr std::string_view kWebAddress = "https://www.tubaro.example/gas";
inline constexpr std::string_view kVersionLine = "Versione Beta - 2004 11 19";

// A failure outside the four kinds, stopped at an event's edge.
inline constexpr std::string_view kInternalError = "Errore interno";

// What Check1 says, as its description, where the window cannot be kept
// above the others: it is then unticked and disabled rather than ticked for
// nothing.
inline constexpr std::string_view kStayOnTopUnavailableInBrowser =
    "Sempre in primo piano: non disponibile, questo browser non apre finestre Picture-in-Picture per le pagine";
inline constexpr std::string_view kStayOnTopUnavailableOnWayland =
    "Sempre in primo piano: non disponibile, in una sessione Wayland senza XWayland una finestra non può restare "
    "sopra le altre";

// A window that cannot start: no display to open it on (Linux, after
// "TubaroGAS: ", the reason in brackets after it), or a window refused
// (Windows).
inline constexpr std::string_view kNoDisplay = "nessun display disponibile";
inline constexpr std::string_view kWindowRefused = "Impossibile creare la finestra di Tubaro GAS.";

// The page's note while its code cannot compute: still loading after the
// page's patience has run out; the code did not arrive whole, or failed at
// its start (it is tried again); a browser without WebAssembly.
inline constexpr std::string_view kCodeSlow = "Calcolo non ancora disponibile: il programma si sta caricando";
inline constexpr std::string_view kCodeMissing = "Calcolo non disponibile: il programma di calcolo non si è caricato";
inline constexpr std::string_view kNoWebAssembly = "Calcolo non disponibile: questo browser non esegue WebAssembly";

// The page's sheet for paper.
inline constexpr std::string_view kSheetHeading = "Dimensionamento di una tubazione gas";
inline constexpr std::string_view kSheetComputed = "calcolato";
inline constexpr std::string_view kSheetNoResult = "nessun risultato";
inline constexpr std::string_view kSheetDesignation = "Misura nominale del tubo";
inline constexpr std::string_view kSheetPrinted = "Stampato il";
inline constexpr std::string_view kSheetReopen = "Per riaprire questo dimensionamento:";

// The page's two views, as its links name them: the form, which sizes one
// pipe, and the installation (whose words are the installation library's).
inline constexpr std::string_view kFormViewName = "Tubazione";
inline constexpr std::string_view kViewsName = "Viste";

}  // namespace tubaro::texts
