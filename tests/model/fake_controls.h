#pragma once

#include "model/controls.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <string>

namespace quorvel {

// The controls of the main window in memory, keyed by object name. A spin control starts as a
// fresh spin box does: range 0..99, step 1, position 0; it shows values of 1000 and more with a
// comma between the thousands.
class FakeControls final : public Controls {
public:
    struct State {
        int value = 0;
        ControlRange range{0, 99, 1};
        std::optional<std::string> text; // typed into the edit field, or the memo's text
        bool checked = false;
        int item = -1;
        bool shown = true;
        bool enabled = true;
        std::string caption;
        ColourRole colour = ColourRole::NormalWindow;
    };

    [[nodiscard]] int value(ControlKey key) const override { return find(key).value; }
    void setValue(ControlKey key, int value) override
    {
        State& s = at(key);
        s.value = std::clamp(value, s.range.minimum, s.range.maximum);
        s.text.reset();
    }
    [[nodiscard]] ControlRange range(ControlKey key) const override { return find(key).range; }
    void setRange(ControlKey key, ControlRange range) override
    {
        State& s = at(key);
        s.range = range;
        s.value = std::clamp(s.value, range.minimum, range.maximum);
    }
    void stepBy(ControlKey key, int steps) override
    {
        State& s = at(key);
        setValue(key, s.value + steps * s.range.step);
    }
    void interpretText(ControlKey key) override
    {
        State& s = at(key);
        if (!s.text)
            return;
        const std::optional<int> number = wholeNumber(*s.text);
        if (number && *number >= s.range.minimum && *number <= s.range.maximum)
            s.value = *number;
        s.text.reset();
    }

    [[nodiscard]] std::string text(ControlKey key) const override
    {
        const State& s = find(key);
        return s.text ? *s.text : grouped(s.value);
    }
    void setText(ControlKey key, std::string_view text) override { at(key).text = std::string(text); }

    [[nodiscard]] bool checked(ControlKey key) const override { return find(key).checked; }
    void setChecked(ControlKey key, bool checked) override { at(key).checked = checked; }
    [[nodiscard]] int itemIndex(ControlKey key) const override { return find(key).item; }
    void setItemIndex(ControlKey key, int index) override { at(key).item = index; }

    void apply(const ControlView& view) override
    {
        State& s = at(view.key);
        if (view.visible)
            s.shown = *view.visible;
        if (view.enabled)
            s.enabled = *view.enabled;
        if (view.caption)
            s.caption = *view.caption;
        if (view.minimum || view.maximum || view.step) {
            setRange(view.key, {view.minimum.value_or(s.range.minimum), view.maximum.value_or(s.range.maximum),
                                view.step.value_or(s.range.step)});
        }
    }
    [[nodiscard]] bool isShown(ControlKey key) const override
    {
        for (std::string name = key.objectName();;) {
            if (!findName(name).shown)
                return false;
            const auto container = m_containers.find(name);
            if (container == m_containers.end())
                return true;
            name = container->second;
        }
    }
    [[nodiscard]] bool isEnabled(ControlKey key) const override { return find(key).enabled; }
    [[nodiscard]] std::string caption(ControlKey key) const override { return find(key).caption; }

    void setColour(ControlKey key, ColourRole colour) override { at(key).colour = colour; }
    [[nodiscard]] ColourRole colour(ControlKey key) const override { return find(key).colour; }

    [[nodiscard]] bool has(ControlKey key) const { return m_states.count(key.objectName()) != 0; }
    // Puts a control into a group box of its page, as the window's layout does.
    void placeIn(ControlKey control, std::string_view groupBox) { m_containers[control.objectName()] = groupBox; }

private:
    static std::optional<int> wholeNumber(std::string_view text)
    {
        std::string digits;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (c == ',' && !digits.empty())
                continue;
            if (c == '-' && digits.empty() && i == 0) {
                digits.push_back(c);
                continue;
            }
            if (std::isdigit(static_cast<unsigned char>(c)) == 0)
                return std::nullopt;
            digits.push_back(c);
        }
        if (digits.empty() || digits == "-" || digits.size() > 9)
            return std::nullopt;
        return std::stoi(digits);
    }

    static std::string grouped(int value)
    {
        const std::string digits = std::to_string(value < 0 ? -value : value);
        std::string text = value < 0 ? "-" : "";
        for (std::size_t i = 0; i < digits.size(); ++i) {
            if (i > 0 && (digits.size() - i) % 3 == 0)
                text += ',';
            text += digits[i];
        }
        return text;
    }

    State& at(ControlKey key) { return m_states[key.objectName()]; }
    const State& find(ControlKey key) const { return findName(key.objectName()); }
    const State& findName(const std::string& name) const
    {
        const auto it = m_states.find(name);
        return it == m_states.end() ? m_fresh : it->second;
    }

    std::map<std::string, State> m_states;
    std::map<std::string, std::string> m_containers; // control -> its group box
    State m_fresh;
};

} // namespace quorvel
