#pragma once

#include "core/message_texts.h"
#include "core/param_image.h"
#include "log/tuning_preflight.h"
#include "log/tuning_session.h"
#include "model/map_layout.h"

#include <QDockWidget>

#include <array>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace quorvel {

// What the user did in the Tuning dock, for the tuning commands to carry out.
struct TuningDockHandlers {
    std::function<void(std::string_view field, int shown)> fieldEdited; // one of the unit's Tuning fields
    std::function<void()> mapChosen;
    std::function<void(int finding)> fix; // the fix of the finding at that row
    std::function<void()> startStop;
    std::function<void()> apply;
    std::function<void(bool)> applyEveryPass;
};

// DockWidgetTuning: the settings of a live tuning session and what it found. The unit's five
// Tuning fields are edited here like any field of the tune; the step per pass, the most change
// and the map to tune belong to the session. Below them the checks before a start, each with its
// fix where one exists, Start/Stop, the progress, Apply and "Apply after every pass".
class TuningDock final : public QDockWidget {
public:
    // The unit's Tuning fields in the order the dock shows them.
    static constexpr std::array<std::string_view, 5> kFields = {"LadeniLambda", "LadeniHyster", "LadeniRpm",
                                                                "LadeniTps", "LadeniCas"};
    // The maps a session can tune, in the order of the map choice.
    static constexpr std::array<MapId, 5> kMaps = {MapId::Jet1A, MapId::Jet2A, MapId::Jet3A, MapId::Jet4A, MapId::Iap};

    // The caption of a page as its tab shows it, for the map choice.
    using PageName = std::function<QString(int page)>;

    TuningDock(PageName pageName, Language language, QWidget* parent = nullptr);

    void setHandlers(TuningDockHandlers handlers) { m_handlers = std::move(handlers); }
    void setLanguage(Language language);

    // The fields as the image holds them; a field being typed in keeps what is typed.
    void showFields(const ParamImage& image);
    void showFindings(std::span<const PreflightFinding> findings);
    void showRunning(bool running, bool mayStart);
    void showProgress(const TuningProgress& progress, int proposals, bool running);
    void showStatus(const QString& text);

    [[nodiscard]] double stepPercent() const;
    [[nodiscard]] double maxChangePercent() const;
    [[nodiscard]] MapId map() const;
    void chooseMap(MapId map);
    [[nodiscard]] bool applyEveryPass() const;
    // Unattended applying stopped by itself: the box says so, without asking for it again.
    void endApplyEveryPass();

    // The controls, for the window's tests.
    [[nodiscard]] QSpinBox& field(std::size_t index) const { return *m_fields.at(index); }
    [[nodiscard]] QListWidget& findings() const { return *m_findings; }
    [[nodiscard]] QPushButton& startButton() const { return *m_start; }
    [[nodiscard]] QPushButton& applyButton() const { return *m_apply; }
    [[nodiscard]] QLabel& progressLabel() const { return *m_progress; }

private:
    void build();
    void buildFields(QFormLayout& form);
    void buildSession(QFormLayout& form);
    void applyTexts();
    [[nodiscard]] QString text(std::string_view key) const;

    PageName m_pageName;
    Language m_language;
    TuningDockHandlers m_handlers;
    std::vector<PreflightFinding> m_shownFindings;
    bool m_running = false;
    bool m_showing = false;
    std::array<QSpinBox*, kFields.size()> m_fields{};
    std::array<QLabel*, kFields.size() + 3> m_labels{};
    QDoubleSpinBox* m_step = nullptr;
    QSpinBox* m_maxChange = nullptr;
    QComboBox* m_map = nullptr;
    QLabel* m_checksHeading = nullptr;
    QListWidget* m_findings = nullptr;
    QPushButton* m_fix = nullptr;
    QPushButton* m_start = nullptr;
    QLabel* m_progress = nullptr;
    QPushButton* m_apply = nullptr;
    QCheckBox* m_everyPass = nullptr;
    QLabel* m_status = nullptr;
};

} // namespace quorvel
