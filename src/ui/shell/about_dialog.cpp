#include "ui/shell/about_dialog.h"

#include "io/program_build.h"
#include "texts/about_texts.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSvgWidget>

namespace quorvel {
namespace {

constexpr int kArtworkWidth = 535;
constexpr int kArtworkHeight = 552;
constexpr int kOkPointSize = 20;

QLabel* label(const char* name, std::string_view text, QWidget* parent)
{
    auto* shown = new QLabel(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), parent);
    shown->setObjectName(name);
    return shown;
}

} // namespace

TFormAbout::TFormAbout(Language language, std::string_view date, std::string_view time, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName("TFormAbout");
    setWindowTitle(QString::fromStdString(aboutCaption(language)));
    setModal(true);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    setPalette(white);

    auto* artwork = new QSvgWidget(QStringLiteral(":/quorvel/about_artwork.svg"), this);
    artwork->setObjectName("ImageArtwork");
    artwork->setFixedSize(kArtworkWidth, kArtworkHeight);

    // "OK" is a flat button that reads as a label: a click closes, and so do Enter and Escape.
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName("LabelExit");
    ok->setFlat(true);
    ok->setDefault(true);
    QFont large = ok->font();
    large.setPointSize(kOkPointSize);
    large.setBold(true);
    ok->setFont(large);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(artwork, 0, 0, 1, 4, Qt::AlignHCenter);
    layout->addWidget(label("LabelDate", date, this), 1, 0);
    layout->addWidget(label("LabelTime", time, this), 1, 1);
    layout->addWidget(label("LabelRsKey", aboutVersionText(), this), 1, 2);
    layout->addWidget(ok, 1, 3, Qt::AlignRight);
    resize(kDesignWidth, kDesignHeight);
}

std::string_view buildDate()
{
    return programBuild().date;
}

std::string_view buildTime()
{
    return programBuild().time;
}

} // namespace quorvel
