#pragma once

#include "core/message_texts.h"
#include "maps/print_look.h"
#include "ui/binding/control_registry.h"
#include "ui/files/dialogs.h"

#include <QPalette>
#include <QPointer>

#include <filesystem>
#include <functional>
#include <vector>

class QPagedPaintDevice;
class QTabWidget;
class QWidget;

namespace quorvel {

class PrintLookSurface;

// File -> Print: a picture of the window in print look, scaled to fit the page of the default
// printer, or of a PDF file the user names when there is no printer. Everything the look
// changes is remembered before and given back after, so the print never leaves a tab, a label
// or a spin button in a state it was not in before.
class PrintCommand {
public:
    PrintCommand(QWidget& window, const ControlRegistry& controls, QTabWidget& pages, Dialogs& dialogs,
                 const MessageTexts& texts);

    // `showStatusLine` puts the look's date-and-time line on screen once a target is chosen;
    // nothing happens when the user cancels the PDF file dialog.
    void print(const PrintLook& look, const std::filesystem::path& pdfPreset,
               const std::function<void()>& showStatusLine);

private:
    struct SavedWidget {
        QPointer<QWidget> widget;
        bool hidden;
        int buttonSymbols;
        bool autoFill;
        QPalette palette;
    };

    // The part of the window that goes on paper: below the menu, above the status bar.
    [[nodiscard]] QWidget& client() const;
    void applyLook(const PrintLook& look);
    void restoreLook();
    SavedWidget& save(QWidget& widget);
    // A grid item: its surface takes the look, once; true when the target is one.
    bool takesLookItself(const ControlRegistry::Target& target);
    // False when the printer (or the PDF file) cannot be written.
    bool printInPrintLook(QPagedPaintDevice& device, const PrintLook& look);

    QWidget& m_window;
    const ControlRegistry& m_controls;
    QTabWidget& m_pages;
    Dialogs& m_dialogs;
    const MessageTexts& m_texts;
    std::vector<SavedWidget> m_saved;
    std::vector<bool> m_tabsVisible;
    std::vector<PrintLookSurface*> m_surfaces; // parts that took the print look themselves
};

} // namespace quorvel
