#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace tubaro {

// The five fields of a section, in the order a line gives them:
// TRATTO DA L D KW.
enum class SectionField { Name, From, Length, Diameter, Power };

inline constexpr std::array<SectionField, 5> kSectionFields{SectionField::Name, SectionField::From,
                                                            SectionField::Length, SectionField::Diameter,
                                                            SectionField::Power};

// One value per field, indexed by SectionField.
template <typename T>
struct PerSectionField {
    std::array<T, 5> items;

    constexpr T& operator[](SectionField field) { return items[static_cast<std::size_t>(field)]; }
    constexpr const T& operator[](SectionField field) const { return items[static_cast<std::size_t>(field)]; }

    friend constexpr bool operator==(const PerSectionField&, const PerSectionField&) = default;
};

// Why a line is no section. installation_words.h says each in Italian.
enum class LineFault {
    // The whole line, as its reader found it.
    FieldCount,  // not five fields
    TooLong,     // longer than its reader holds
    // The name.
    NotUtf8,
    ControlCharacter,  // a tab, or a C0 or C1 control or DEL
    TooManyCharacters,  // more than kLongestName characters
    StartsWithHash,
    NameTaken,  // an earlier line gives the same name
    // Where it starts: no valid section of that name on an earlier line.
    UnknownStart,
    // A value (L, D, KW, or the allowance).
    Missing,     // empty where a value is needed (a name, L, the allowance)
    NotANumber,  // or a number too large for a double
    OutOfRange,  // not above 0 and below the window's limit for its field
};

inline constexpr std::size_t kLongestName = 40;  // characters (code points), not bytes

// A line as the user typed it. Missing fields are empty; a whole-line fault
// comes from the reader (the page always gives five fields).
struct SectionLine {
    PerSectionField<std::string_view> texts{};
    std::optional<LineFault> whole_line;
};

}  // namespace tubaro
