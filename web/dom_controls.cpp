#include "dom_controls.h"

#include <emscripten/eventloop.h>

#include <utility>

namespace {
// As long as a held key waits before it repeats, and then between repeats.
constexpr double kFirstRepeatMs = 400;
constexpr double kRepeatMs = 80;
}  // namespace

DomSpinControl::~DomSpinControl()
{
    release();
}

void DomSpinControl::set_visible(bool visible)
{
    dom::set_hidden(m_group, !visible);
    if (!visible)
        release();
}

void DomSpinControl::press(std::function<void()> step_once)
{
    release();
    m_held_step = std::move(step_once);
    m_held_step();
    m_timer = emscripten_set_timeout(&DomSpinControl::repeat, kFirstRepeatMs, this);
}

void DomSpinControl::release()
{
    if (m_timer)
        emscripten_clear_timeout(m_timer);
    m_timer = 0;
    m_held_step = nullptr;
}

void DomSpinControl::repeat(void* self)
{
    auto& spin = *static_cast<DomSpinControl*>(self);
    spin.m_timer = emscripten_set_timeout(&DomSpinControl::repeat, kRepeatMs, self);
    if (spin.m_held_step)
        spin.m_held_step();
}
