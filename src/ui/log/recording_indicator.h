#pragma once

#include "core/message_texts.h"

#include <QLabel>

#include <chrono>
#include <filesystem>
#include <optional>

namespace quorvel {

class DatalogRecorder;

// LabelLogRecording: the state of the datalog for the status line or the tool bar. While
// recording it reads "Recording: mm:ss" with the file as its tooltip; while a log plays back,
// "Playback: mm:ss" at the position; otherwise it is hidden. The window refreshes it from its
// tick; a refresh that changes nothing repaints nothing.
class RecordingIndicator final : public QLabel {
public:
    explicit RecordingIndicator(Language language, QWidget* parent = nullptr);

    void setLanguage(Language language);
    // `playback` is the position of a log playing back (LogViewer::playbackPosition()).
    void refresh(const DatalogRecorder& recorder, std::optional<std::chrono::milliseconds> playback = std::nullopt);
    void refresh(bool recording, std::chrono::milliseconds elapsed, const std::filesystem::path& file,
                 std::optional<std::chrono::milliseconds> playback);

private:
    void showState();

    Language m_language;
    bool m_recording = false;
    std::chrono::milliseconds m_elapsed{0};
    std::filesystem::path m_file;
    std::optional<std::chrono::milliseconds> m_playback;
};

} // namespace quorvel
