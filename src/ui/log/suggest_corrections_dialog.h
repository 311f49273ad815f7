#pragma once

#include "core/message_texts.h"
#include "core/param_image.h"
#include "log/correction_suggestions.h"
#include "log/datalog.h"
#include "model/map_layout.h"

#include <QDialog>

#include <functional>
#include <span>
#include <vector>

class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace quorvel {

// FormSuggestCorrections: the corrections a log suggests for an injection map, with their limits
// editable (each change proposes again), one row per cell with a tick to leave it out, and
// Apply / Cancel. The dialog changes nothing: the preview handler hears which cells are proposed
// (the ticked ones) whenever that changes, and once more with none when the dialog closes, so the
// window can show them in the compare colours; after Apply, acceptedCorrections() holds what the
// window writes with applyCorrections() as one undo step. After Cancel it holds nothing.
class SuggestCorrectionsDialog final : public QDialog {
public:
    using PreviewHandler = std::function<void(std::span<const CellCorrection>)>;

    // The log must outlive the dialog. The image is copied: the proposals start from the cells
    // it holds now, and applyCorrections() leaves out any cell edited since.
    SuggestCorrectionsDialog(const Datalog& log, const ParamImage& image, MapId map, Language language,
                             const CorrectionLimits& limits = {}, QWidget* parent = nullptr);
    ~SuggestCorrectionsDialog() override;
    SuggestCorrectionsDialog(const SuggestCorrectionsDialog&) = delete;
    SuggestCorrectionsDialog& operator=(const SuggestCorrectionsDialog&) = delete;

    void setLanguage(Language language);
    // Hears the proposed cells at once and after every change.
    void setPreviewHandler(PreviewHandler handler);

    [[nodiscard]] CorrectionLimits limits() const;
    [[nodiscard]] std::span<const CellCorrection> proposals() const { return m_proposals; }
    [[nodiscard]] std::vector<CellCorrection> chosenProposals() const;
    [[nodiscard]] const std::vector<CellCorrection>& acceptedCorrections() const { return m_accepted; }

    void done(int result) override;

private:
    void buildLimits(const CorrectionLimits& limits);
    void recompute();
    void fillTable();
    void showResult();
    void chosenChanged();

    const Datalog& m_log;
    ParamImage m_image;
    MapId m_map;
    Language m_language;
    std::uint32_t m_longestGapMs;
    PreviewHandler m_preview;
    std::vector<CellCorrection> m_proposals;
    std::vector<CellCorrection> m_accepted;

    QDoubleSpinBox* m_step = nullptr;
    QDoubleSpinBox* m_maxChange = nullptr;
    QSpinBox* m_minimumSamples = nullptr;
    QSpinBox* m_threshold = nullptr;
    QDoubleSpinBox* m_steady = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_result = nullptr;
    QPushButton* m_apply = nullptr;
};

} // namespace quorvel
