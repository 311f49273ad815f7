#pragma once

#include "io/language_table.h"
#include "maps/parameter_editor.h"
#include "model/bike_defaults.h"
#include "model/fake_controls.h"

#include <deque>
#include <string>
#include <vector>

namespace quorvel {

class ScriptedPrompts final : public UserPrompts {
public:
    std::deque<PromptAnswer> answers;
    std::vector<std::string> asked;
    std::vector<std::string> messages;

    [[nodiscard]] PromptAnswer askYesNoCancel(std::string_view text) override
    {
        asked.emplace_back(text);
        if (answers.empty())
            return PromptAnswer::Cancel;
        const PromptAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void showMessage(std::string_view text) override { messages.emplace_back(text); }
};

class RecordingHost final : public EditorHost {
public:
    int programmingStarts = 0;
    int forgets = 0;
    int captions = 0;
    std::optional<bool> pageOnlyLoad;

    void startProgramming() override { ++programmingStarts; }
    void forgetTransferAndFile() override { ++forgets; }
    void applyCaptions() override { ++captions; }
    void setPageOnlyLoad(bool pageOnly) override { pageOnlyLoad = pageOnly; }
};

class RecordingMapPages final : public MapPageHook {
public:
    std::vector<int> fills;
    std::vector<int> collects;
    std::vector<int> refreshes;

    void fill(int page) override { fills.push_back(page); }
    void collect(int page) override { collects.push_back(page); }
    void refreshView(int page) override { refreshes.push_back(page); }
};

// The editor over fake controls, with the image of bike code 11 after its full defaults, as
// after start-up.
struct EditorRig {
    static constexpr int kStartBike = 11;

    explicit EditorRig(int page)
    {
        image.setByte(150, kStartBike);
        applyDefaults(image, tables, {false, page});
        sanitiseImage(image, settings);
        editor.start(page);
    }

    [[nodiscard]] ControlKey edit(std::string_view fieldName, int element = 0)
    {
        m_names.push_back(fieldControl(*FieldTable::byName(fieldName), element));
        return m_names.back().key();
    }

    ParamImage image;
    InjectionTables tables;
    FakeControls controls;
    RecordingMapPages mapPages;
    RecordingHost host;
    ScriptedPrompts prompts;
    LanguageTable texts{Language::English};
    MonitorSnapshot live;
    OutsideSettings settings;
    ParameterEditor editor{{image, tables, controls, mapPages, host, prompts, texts, live, settings}};

private:
    std::deque<FieldControl> m_names; // keeps the names the keys look at
};

} // namespace quorvel
