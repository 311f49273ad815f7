#pragma once

#include "core/control_views.h"
#include "maps/parameter_editor.h"
#include "model/bike_defaults.h"
#include "model/fake_controls.h"
#include "texts/language_table.h"

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
    int forgets = 0;
    int captions = 0;
    std::optional<bool> pageOnlyLoad;

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

// The window's side of the writer over the fake controls: the editor shows the image and the
// page of an undone change, Undo and Redo follow the ring, and what would be programmed after a
// change is counted.
class EditorTuneHost final : public TuneHost {
public:
    explicit EditorTuneHost(FakeControls& controls)
        : m_controls(controls)
    {
    }
    void attach(ParameterEditor& editor, const TuneWriter& writer)
    {
        m_editor = &editor;
        m_writer = &writer;
    }

    void collectPage() override { m_editor->collectPage(); }
    void showImage() override
    {
        m_editor->sanitise();
        m_editor->fillPage();
        m_editor->fillPage();
    }
    void showRestored(int page) override
    {
        if (page == m_editor->activePage()) {
            m_editor->fillPage();
            return;
        }
        m_controls.setItemIndex({"PageControl1"}, page);
        m_editor->changePage(page);
    }
    void historyMoved() override
    {
        for (std::string_view name : {"SpeedButtonZpet", "MenuZpet"})
            m_controls.apply(enabledView({name}, m_writer->history().canUndo()));
        for (std::string_view name : {"SpeedButtonZnovu", "MenuZnovu"})
            m_controls.apply(enabledView({name}, m_writer->history().canRedo()));
    }
    [[nodiscard]] int pageOfChange() const override { return m_editor->activePage(); }
    [[nodiscard]] bool programsAfterChange() const override { return m_controls.checked({"CheckBoxProgHned"}); }
    void programPendingBlocks() override { ++programmingStarts; }

    int programmingStarts = 0;

private:
    FakeControls& m_controls;
    ParameterEditor* m_editor = nullptr;
    const TuneWriter* m_writer = nullptr;
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
        tuneHost.attach(editor, writer);
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
    EditorTuneHost tuneHost{controls};
    TuneWriter writer{image, tables, tuneHost};
    ParameterEditor editor{{image, tables, controls, mapPages, host, prompts, texts, live, settings, writer}};

private:
    std::deque<FieldControl> m_names; // keeps the names the keys look at
};

} // namespace quorvel
