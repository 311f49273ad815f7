#include "ui/compare/compare_dock.h"

#include "core/page_index.h"
#include "gui_application.h"
#include "maps/file_compare.h"
#include "maps/map_test_image.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using testing_maps::defaultImage;

struct Jump {
    int page = -1;
    std::string control;
};

class CompareDockTest : public test::WidgetTest {
protected:
    CompareDockTest()
        : m_image(defaultImage(m_tables))
    {
        // The file: a cell of Inj-1A, an RPM head of Advance and a coolant correction differ.
        ParamImage reference = m_image;
        reference.setWordAt(800 + 2 * 16, static_cast<std::uint16_t>(m_image.wordAt(800 + 2 * 16) * 2));
        reference.setByte(515 + 14, static_cast<std::uint8_t>(m_image.byte(515 + 14) - 1));
        reference.setByte(231, static_cast<std::uint8_t>(m_image.byte(231) + 7));
        m_compare.start(reference, "/tunes/old.ign");
        m_compare.refresh(m_image, m_tables);
        m_dock.setJumpHandler([this](int page, const FieldControl& control) {
            m_jumps.push_back({page, control.key().objectName()});
        });
        m_dock.resize(700, 400);
        m_dock.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_dock));
    }

    [[nodiscard]] QString cellText(int row, int column) const { return m_dock.table().item(row, column)->text(); }
    [[nodiscard]] QString header(int column) const { return m_dock.table().horizontalHeaderItem(column)->text(); }
    void doubleClick(int row) const
    {
        QTableWidget& table = m_dock.table();
        ASSERT_GE(row, 0);
        // What the mouse sends: a click, then the second press that makes it a double-click.
        const QPoint at = table.visualItemRect(table.item(row, 1)).center();
        QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, at);
    }
    [[nodiscard]] int rowOf(std::string_view label) const
    {
        for (int row = 0; row < m_dock.table().rowCount(); ++row) {
            if (cellText(row, 1) == QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())))
                return row;
        }
        return -1;
    }

    InjectionTables m_tables;
    ParamImage m_image;
    FileCompare m_compare;
    CompareDock m_dock{[](int page) { return QString("page %1").arg(page); }, Language::English};
    std::vector<Jump> m_jumps;
};

TEST_F(CompareDockTest, ListsEveryDifferenceByPageAndParameterInShownUnits)
{
    EXPECT_EQ(m_dock.objectName(), "DockWidgetCompare");
    EXPECT_EQ(m_dock.windowTitle(), "Differences");
    m_dock.showListing({CompareSource::File, m_compare.fileName(), UnitCoverage::Whole, m_compare.differences(), {}});
    const std::vector<Difference>& differences = m_compare.differences();
    ASSERT_EQ(m_dock.table().rowCount(), static_cast<int>(differences.size()));
    for (int row = 0; row < m_dock.table().rowCount(); ++row) {
        const Difference& d = differences[static_cast<std::size_t>(row)];
        EXPECT_EQ(cellText(row, 0), QString("page %1").arg(d.page));
        EXPECT_EQ(cellText(row, 2).toStdString(), d.a.text);
        EXPECT_EQ(cellText(row, 3).toStdString(), d.b.text);
    }
    // Named as their pages show them, with their units, never by internal names.
    EXPECT_GE(rowOf("Row 2, column 2 [%]"), 0);
    EXPECT_GE(rowOf("RPM of column 15 [rpm]"), 0);
    const int coolant = rowOf("Coolant, 20 °C [%]");
    ASSERT_GE(coolant, 0);
    EXPECT_EQ(cellText(coolant, 2), QString::number(m_image.byte(231) + 7));
    EXPECT_EQ(header(2), "File");
    EXPECT_EQ(header(3), "Here");
    EXPECT_EQ(m_dock.heading(), "Differences from old.ign");
    EXPECT_EQ(m_dock.summary(), "3 differences");

    m_dock.setLanguage(Language::Czech);
    EXPECT_EQ(cellText(coolant, 1), QString::fromUtf8("Teplota vody, 20 °C [%]"));
    EXPECT_EQ(header(2), "Soubor");
    EXPECT_EQ(m_dock.summary(), QString::fromUtf8("Počet rozdílů: 3"));
    EXPECT_EQ(m_dock.windowTitle(), QString::fromUtf8("Rozdíly"));
}

TEST_F(CompareDockTest, DoubleClickReportsThePageAndControlOfTheLine)
{
    std::vector<Difference> differences = m_compare.differences();
    differences.push_back({DifferenceKind::OtherByte, kNoPage, {}, -1, 2800, {1, "1"}, {2, "2"}, {}});
    m_dock.showListing({CompareSource::File, "old.ign", UnitCoverage::Whole, differences, {}});
    ASSERT_EQ(m_dock.table().rowCount(), 4);

    doubleClick(rowOf("Coolant, 20 °C [%]"));
    doubleClick(rowOf("Row 2, column 2 [%]"));
    ASSERT_EQ(m_jumps.size(), 2U);
    EXPECT_EQ(m_jumps[0].page, kPageKorekce);
    EXPECT_EQ(m_jumps[0].control, "EditKorVoda1");
    EXPECT_EQ(m_jumps[1].page, kPageInj1A);
    EXPECT_EQ(m_jumps[1].control, "EditMap_Uni16");

    // A byte no page shows is listed and leads nowhere.
    EXPECT_EQ(cellText(3, 0), "(no page)");
    doubleClick(3);
    EXPECT_EQ(m_jumps.size(), 2U);
}

TEST_F(CompareDockTest, UnitComparisonSaysHowMuchOfTheUnitWasSeen)
{
    m_dock.showListing({CompareSource::Unit, {}, UnitCoverage::Part, m_compare.differences(), {}});
    EXPECT_EQ(header(2), "Ignition");
    EXPECT_EQ(m_dock.heading(), "Parameters that Program will change in the ignition");
    EXPECT_EQ(m_dock.summary(), "3 differences Only the blocks seen in this connection are compared.");

    m_dock.showListing({CompareSource::Verify, {}, UnitCoverage::None, {}, {}});
    EXPECT_EQ(m_dock.heading(), "Parameters that differ in the ignition");
    EXPECT_EQ(m_dock.summary(), "The ignition was not read or verified in this connection.");

    m_dock.showListing({CompareSource::Verify, {}, UnitCoverage::Whole, {}, {}});
    EXPECT_EQ(m_dock.summary(), "No differences");

    m_dock.clear();
    EXPECT_EQ(m_dock.table().rowCount(), 0);
    EXPECT_TRUE(m_dock.summary().isEmpty());
    EXPECT_TRUE(m_dock.heading().isEmpty());
}

} // namespace
} // namespace quorvel
