#pragma once

#include "core/message_texts.h"
#include "core/param_image.h"
#include "model/injection_tables.h"
#include "model/user_prompts.h"

namespace quorvel {

// What the defaults commands need from the main window beyond the image: its state and the
// steps that belong to other layers (page binding, link status, captions).
class BikeCommandHost {
public:
    virtual ~BikeCommandHost() = default;
    [[nodiscard]] virtual int selectedBikePosition() const = 0;
    [[nodiscard]] virtual int activePage() const = 0;
    // PageOnlyLoad, shared with the loading of parameter files.
    virtual void setPageOnlyLoad(bool pageOnly) = 0;
    // Hides the transfer message and progress gauge and clears the file name of the Bike page.
    virtual void forgetTransferAndFile() = 0;
    // Sanitise, refill the page, take an undo snapshot.
    virtual void afterChange() = 0;
    // Applies the captions of the language again (some depend on the bike).
    virtual void applyCaptions() = 0;
};

// The commands "New", "New for actual page", the reaction to another bike in the bike list and
// the check of the bike code when the Bike page is filled.
class BikeCommands {
public:
    // The texts of the questions and of the message about an unknown bike.
    static constexpr int kAskDefaults = 27;
    static constexpr int kAskPageDefaults = 28;
    static constexpr int kNotForBike = 38;

    BikeCommands(ParamImage& image, InjectionTables& tables, BikeCommandHost& host, UserPrompts& prompts,
                 const MessageTexts& texts);

    void newAll();
    void newForPage();
    // A new selection in the bike list. The injection maps keep their percentages and take the
    // reference times of the new bike, whether or not the user takes its defaults.
    void changeBike(int position);
    // The list position that shows the bike code of the image; for a code the list does not
    // know, the no-bike item, after telling the user. The image is not changed.
    [[nodiscard]] int showBike();

private:
    ParamImage& m_image;
    InjectionTables& m_tables;
    BikeCommandHost& m_host;
    UserPrompts& m_prompts;
    const MessageTexts& m_texts;
};

} // namespace quorvel
