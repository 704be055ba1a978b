#include "form/text_fit.h"

#include "form/user_texts.h"

#include <algorithm>
#include <cmath>

#include "form/form_principale.h"

namespace tubaro {

std::vector<TextToFit> texts_to_fit()
{
    std::vector<TextToFit> texts;
    for (const ControlSpec& row : kWindowControls)
        if (row.kind == ControlKind::Label || row.kind == ControlKind::TextBox)
            texts.push_back({row.id, row.text});
    for (std::string_view text : {texts::kWebAddress, texts::kVersionLine})
        texts.push_back({ControlId::Text1, text});
    return texts;
}

double fit_scale(Extent text, Extent room)
{
    double scale = 1.0;
    if (text.width > 0)
        scale = std::min(scale, static_cast<double>(room.width) / text.width);
    if (text.height > 0)
        scale = std::min(scale, static_cast<double>(room.height) / text.height);
    return scale;
}

int largest_fitting_size(int own, int smallest, const std::function<double(int size)>& scale_at)
{
    const double scale = scale_at(own);
    if (scale >= 1.0)
        return own;
    int size = std::max(smallest, static_cast<int>(std::floor(own * scale)));
    while (size > smallest && scale_at(size) < 1.0)
        --size;
    return size;
}

}  // namespace tubaro
