#pragma once

#include "texts/language_captions.h"

class QTabWidget;

namespace quorvel {

class ControlApplier;
class ControlRegistry;

// Puts the texts of one language on the window, each by the name of its control: captions and
// the monitor placeholders through the window's ControlApplier (which then knows what is on
// screen, so live values replace the placeholders), menu captions and check marks on the menu
// items, page captions on the tabs, hints on widgets and menu items, radio items on the radio
// buttons of their group in order. Every name is resolved through the window's registry.
class LanguageApplier {
public:
    LanguageApplier(ControlApplier& controls, const ControlRegistry& registry, QTabWidget& pages);

    void apply(const LanguageCaptions& captions);

private:
    void applyMenuCaption(const ControlView& view);
    void applyHint(const HintText& hint);
    void applyRadioItems(const RadioGroupItems& group);

    ControlApplier& m_controls;
    const ControlRegistry& m_registry;
    QTabWidget& m_pages;
};

} // namespace quorvel
