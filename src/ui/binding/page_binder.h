#pragma once

namespace quorvel {

// Moves values between the controls of one page and the image: collectPage stores what the
// page's controls show, fillPage shows the image in them (and ends with the page's view). The
// window calls them at the points where pages are collected and refilled; the binding of each
// page plugs in here.
class PageBinder {
public:
    virtual ~PageBinder() = default;
    virtual void collectPage(int page) = 0;
    virtual void fillPage(int page) = 0;
};

// The binding while the pages hold no edit controls: there is nothing to move.
class NoControlsBinder final : public PageBinder {
public:
    void collectPage(int /*page*/) override {}
    void fillPage(int /*page*/) override {}
};

} // namespace quorvel
