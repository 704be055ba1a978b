#pragma once

#include <ostream>
#include <type_traits>

#include "form/effect.h"
#include "form/window_data.h"

namespace tubaro {

// Effects as a failed check shows them: "SetText(Text_D, 15)".
inline void PrintTo(const Effect& effect, std::ostream* out)
{
    const auto name = [](ControlId id) { return control_spec(id).name; };
    std::visit(
        [&](const auto& each) {
            using Each = std::decay_t<decltype(each)>;
            if constexpr (std::is_same_v<Each, SetText>)
                *out << "SetText(" << name(each.control) << ", " << each.text << ")";
            else if constexpr (std::is_same_v<Each, SetValue>)
                *out << "SetValue(" << name(each.control) << ", " << each.value << ")";
            else if constexpr (std::is_same_v<Each, SetVisible>)
                *out << "SetVisible(" << name(each.control) << ", " << each.visible << ")";
            else if constexpr (std::is_same_v<Each, Focus>)
                *out << "Focus(" << name(each.control) << ", cause " << static_cast<int>(each.cause) << ")";
            else if constexpr (std::is_same_v<Each, SelectAll>)
                *out << "SelectAll(" << name(each.control) << ")";
            else if constexpr (std::is_same_v<Each, ShowNote>)
                *out << "ShowNote(" << (each.beside ? name(*each.beside) : "window") << ", " << each.message << ")";
            else if constexpr (std::is_same_v<Each, HideNote>)
                *out << "HideNote(" << (each.beside ? name(*each.beside) : "window") << ")";
            else if constexpr (std::is_same_v<Each, StartTimer>)
                *out << "StartTimer(" << static_cast<int>(each.timer) << ", " << each.after.count() << " ms)";
            else if constexpr (std::is_same_v<Each, StopTimer>)
                *out << "StopTimer(" << static_cast<int>(each.timer) << ")";
            else if constexpr (std::is_same_v<Each, KeepOnTop>)
                *out << "KeepOnTop(" << each.on << ")";
            else
                *out << "SizingChanged(" << each.record.title << ")";
        },
        effect);
}

}  // namespace tubaro
