#pragma once

#include "io/language_captions.h"

class QMenuBar;
class QTabWidget;
class QWidget;

namespace quorvel {

class ControlApplier;

// Puts the texts of one language on the window, each by the name of its control: captions and
// the monitor placeholders through the window's ControlApplier (which then knows what is on
// screen, so live values replace the placeholders), menu captions and check marks on the menu
// items, page captions on the tabs, hints on widgets and menu items, radio items on the radio
// buttons of their group in order. Names no control carries are skipped.
class LanguageApplier {
public:
    LanguageApplier(ControlApplier& controls, QWidget& root, QMenuBar& menus, QTabWidget& pages);

    void apply(const LanguageCaptions& captions);

private:
    void applyMenuCaption(const ControlView& view);
    void applyHint(const HintText& hint);
    void applyRadioItems(const RadioGroupItems& group);

    ControlApplier& m_controls;
    QWidget& m_root;
    QMenuBar& m_menus;
    QTabWidget& m_pages;
};

} // namespace quorvel
