#pragma once

#include <string_view>

// What the page says, in its note, while its code cannot compute: before
// the code has come, and where it cannot run. The page's start script
// (page/page_start.js) reads them from the note's data attributes, which
// page_markup writes.
namespace page_texts {

// Still loading after the page's patience has run out; it goes on waiting.
inline constexpr std::string_view kCodeSlow = "Calcolo non ancora disponibile: il programma si sta caricando";
// The code did not arrive whole, or failed at its start; it is tried again.
inline constexpr std::string_view kCodeMissing = "Calcolo non disponibile: il programma di calcolo non si è caricato";
inline constexpr std::string_view kNoWebAssembly = "Calcolo non disponibile: questo browser non esegue WebAssembly";

}  // namespace page_texts

// The sheet for paper (page_markup writes it, KeptSizing fills it in).
namespace page_texts {

inline constexpr std::string_view kSheetHeading = "Dimensionamento di una tubazione gas";
inline constexpr std::string_view kSheetDesignation = "Misura nominale del tubo";
inline constexpr std::string_view kSheetPrinted = "Stampato il";
inline constexpr std::string_view kSheetReopen = "Per riaprire questo dimensionamento:";

}  // namespace page_texts

// The page's two views, as its links name them: the form, which sizes one
// pipe, and the installation (whose words are the installation library's).
namespace page_texts {

inline constexpr std::string_view kFormViewName = "Tubazione";
inline constexpr std::string_view kViewsName = "Viste";

}  // namespace page_texts
