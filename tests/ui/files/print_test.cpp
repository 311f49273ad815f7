#include "window_rig.h"

#include "core/page_index.h"
#include "ui/pages/page_control.h"

#include <QAction>
#include <QCheckBox>
#include <QImage>
#include <QPrinterInfo>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <sys/stat.h>

namespace quorvel {
namespace {

using test::WindowRig;

std::string commandOutput(const std::string& command)
{
    std::string output;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe)
        return output;
    char buffer[4096];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0)
        output.append(buffer, count);
    return output;
}

class PrintToPdf : public ::testing::Test {
protected:
    WindowRig rig;
    std::filesystem::path pdf;

    void SetUp() override
    {
        rig.start(Language::Czech, false);
        if (!QPrinterInfo::defaultPrinter().isNull())
            GTEST_SKIP() << "a default printer exists; the PDF path is taken only without one";
        pdf = rig.configDirectory / "print.pdf";
        rig.window->show();
    }
    void print() { rig.control<QAction>("MenuPrint").trigger(); }
    // The PDF's page as a picture, coarse enough to count pixels quickly.
    QImage printedPage() const
    {
        const std::filesystem::path png = rig.configDirectory / "page";
        const std::string command = "pdftoppm -r 40 -png -singlefile '" + pdf.string() + "' '" + png.string() + "'";
        if (std::system(command.c_str()) != 0)
            return {};
        return QImage(QString::fromStdString(png.string() + ".png"));
    }
};

int countPixels(const QImage& page, const std::function<bool(QRgb)>& counted)
{
    int count = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x)
            count += counted(page.pixel(x, y)) ? 1 : 0;
    }
    return count;
}

TEST_F(PrintToPdf, PageShowsTheStatusLineAndTheWindowComesBackAsItWas)
{
    auto& pages = rig.control<PageControl>("PageControl1");
    rig.makeEveryPage();
    pages.setCurrentIndex(kPageBike);
    auto* upDown = &rig.control<QSpinBox>("EditKorVoda0");
    pages.setTabVisible(kPageLadeni, false);

    rig.dialogs->paths.push_back(pdf);
    print();
    ASSERT_TRUE(rig.dialogs->messages.empty()) << rig.dialogs->messages.front();
    ASSERT_TRUE(std::filesystem::exists(pdf));

    const std::string text = commandOutput("pdftotext -layout '" + pdf.string() + "' -");
    EXPECT_NE(text.find("Datum a čas tisku:"), std::string::npos) << text;
    EXPECT_EQ(text.find("Vstřik 1"), std::string::npos) << "only the current page's tab is printed";

    EXPECT_GT(countPixels(printedPage(), [](QRgb pixel) { return qGray(pixel) < 200; }), 100);

    // The look is given back: tool bar, spin buttons and tabs as they were.
    EXPECT_TRUE(rig.shown("GroupBoxToolBar"));
    EXPECT_EQ(upDown->buttonSymbols(), QAbstractSpinBox::UpDownArrows);
    EXPECT_TRUE(pages.isTabVisible(kPageInj1A));
    EXPECT_FALSE(pages.isTabVisible(kPageLadeni));
    EXPECT_TRUE(rig.shown("LabelHlaseni"));
    EXPECT_EQ(rig.text("LabelHlaseni").rfind("Datum a čas tisku:  ", 0), 0U);
    EXPECT_FALSE(rig.shown("LabelSpojeni"));
}

TEST_F(PrintToPdf, StatusLineGoesAfterTwoHundredTicks)
{
    rig.dialogs->paths.push_back(pdf);
    print();
    rig.steps(199);
    EXPECT_TRUE(rig.shown("LabelHlaseni"));
    rig.steps(1);
    EXPECT_FALSE(rig.shown("LabelHlaseni"));
}

TEST_F(PrintToPdf, CancelledFileDialogPrintsNothing)
{
    rig.dialogs->paths.push_back(std::nullopt);
    print();
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_FALSE(rig.shown("LabelHlaseni"));
}

TEST_F(PrintToPdf, UnwritableTargetReportsTheFileError)
{
    rig.dialogs->paths.push_back(rig.configDirectory / "no-such-dir" / "print.pdf");
    print();
    EXPECT_EQ(rig.dialogs->messages, std::vector<std::string>{"Chyba při otevírání souboru!"});
}

// With "Colours" ticked, the map prints with its cells coloured by value, as on screen.
TEST_F(PrintToPdf, ColouredMapPrintsInColour)
{
    rig.control<PageControl>("PageControl1").setCurrentIndex(kPageAdvance);
    rig.control<QCheckBox>("CheckBoxColours_Uni").click();
    rig.steps(1);
    rig.dialogs->paths.push_back(pdf);
    print();
    ASSERT_TRUE(std::filesystem::exists(pdf));
    const auto coloured = [](QRgb pixel) {
        return std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)}) -
                   std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)}) >
               60;
    };
    EXPECT_GT(countPixels(printedPage(), coloured), 500);
}

// The PDF is saved like a tune: through a link into the file it names, and never into a FIFO.
TEST_F(PrintToPdf, LinkIsWrittenThroughAndFifoIsRefused)
{
    const std::filesystem::path link = rig.configDirectory / "link.pdf";
    std::filesystem::create_symlink(pdf, link);
    rig.dialogs->paths.push_back(link);
    print();
    ASSERT_TRUE(rig.dialogs->messages.empty()) << rig.dialogs->messages.front();
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(commandOutput("head -c 4 '" + pdf.string() + "'"), "%PDF");

    const std::filesystem::path fifo = rig.configDirectory / "fifo.pdf";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    rig.dialogs->paths.push_back(fifo);
    print();
    EXPECT_EQ(rig.dialogs->messages, std::vector<std::string>{"Chyba při otevírání souboru!"});
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

} // namespace
} // namespace quorvel
