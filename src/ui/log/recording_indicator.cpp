#include "ui/log/recording_indicator.h"

#include "core/text_format.h"
#include "log/datalog_recorder.h"
#include "log/elapsed_text.h"
#include "texts/datalog_texts.h"
#include "ui/log/datalog_captions.h"

namespace quorvel {

RecordingIndicator::RecordingIndicator(Language language, QWidget* parent)
    : QLabel(parent)
    , m_language(language)
{
    setObjectName("LabelLogRecording");
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    setVisible(false);
}

void RecordingIndicator::setLanguage(Language language)
{
    m_language = language;
    showState();
}

void RecordingIndicator::refresh(const DatalogRecorder& recorder, std::optional<std::chrono::milliseconds> playback)
{
    refresh(recorder.recording(), recorder.elapsed(), recorder.file(), playback);
}

void RecordingIndicator::refresh(bool recording, std::chrono::milliseconds elapsed, const std::filesystem::path& file,
                                 std::optional<std::chrono::milliseconds> playback)
{
    m_recording = recording;
    m_elapsed = elapsed;
    m_file = recording ? file : std::filesystem::path();
    m_playback = playback;
    showState();
}

void RecordingIndicator::showState()
{
    QString shown;
    if (m_recording)
        shown = qtText(
            formatText(DatalogTexts::message(DatalogMessage::Recording, m_language), elapsedText(m_elapsed).c_str()));
    else if (m_playback)
        shown = qtText(
            formatText(DatalogTexts::message(DatalogMessage::Playback, m_language), elapsedText(*m_playback).c_str()));
    const QString tooltip = QString::fromStdU16String(m_file.u16string());
    if (shown != text())
        setText(shown);
    if (tooltip != toolTip())
        setToolTip(tooltip);
    if (isHidden() == !shown.isEmpty())
        setVisible(!shown.isEmpty());
}

} // namespace quorvel
