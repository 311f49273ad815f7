#pragma once

#include <QString>

class QGridLayout;
class QGroupBox;
class QWidget;

namespace quorvel {

struct ExtraSpec;
struct Field;
struct GroupSpec;
class PageControl;

// Builds the controls of the static pages from the field table: every field a page binds
// becomes its control (spin field, check box, radio group, the bike list, the memo) named as the
// page binding knows it, inside the titled group box the page layout assigns, with the range and
// step of the field. Arrays become run-time rows under column headings, with row labels.
class StaticPageBuilder {
public:
    explicit StaticPageBuilder(PageControl& pages);

    // Builds one static page; the page keeps a layout it already has below its groups.
    void build(int page);

private:
    QGroupBox& groupFor(int page, const Field& field);
    void addField(QGroupBox& box, const Field& field);
    void addSingle(QGroupBox& box, QGridLayout& grid, const Field& field, const QString& caption);
    void addColumn(QGroupBox& box, QGridLayout& grid, const Field& field, const QString& caption);
    void addRowLabels(QGroupBox& box, QGridLayout& grid);
    [[nodiscard]] static int nextTableColumn(const QGridLayout& grid, int row);
    [[nodiscard]] static QWidget* makeExtra(const ExtraSpec& extra, QWidget& box);
    void addExtras(int page);

    PageControl& m_pages;
};

} // namespace quorvel
