#include "app/main_window.h"

#include "app/file_lists.h"
#include "app/datasets_window.h"
#include "app/exclusion_areas.h"
#include "app/autosave.h"
#include "app/long_task.h"
#include "app/graph_window.h"
#include "app/icons.h"
#include "app/key_table.h"
#include "app/language.h"
#include "app/message_box.h"
#include "app/picture_box.h"
#include "app/recovery.h"
#include "app/picture_tools.h"
#include "app/precision_aids.h"
#include "app/titles.h"
#include "app/window_placement.h"
#include "files/image_file.h"
#include "files/pdf_page.h"
#include "app/pdf_page_dialog.h"
#include "files/settings_file.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

namespace {

// The banner printed in the empty picture area.
const QColor BannerColour(128, 128, 128);

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(Titles::application());
    setWindowIcon(QIcon(Icons::mainWindow()));
    setFixedSize(1205, 854);
    centreOnScreen(this);
    m_document = new FigureDocument(this);
    m_longTask = new LongTask(this);
    setupUi(this);
    m_corners = new CornerPanel(*this, this);
    connectHandlers();
    createAids();
    bindKeys();
    createInputWays();
    startUp();
    createDatasets();
    scrollWhereTooLarge(this);
    centreOnScreen(this);
}

MainWindow::~MainWindow()
{
    m_longTask->wait();
    delete m_graphWindow;
}

Calibration MainWindow::calibration() const
{
    return m_document->calibration();
}

void MainWindow::createAids()
{
    PrecisionAids::Sources sources{
        [this] { return calibration(); },
        [this] { return cornersCaptured(); },
        [this] { return m_document->trace().firstColumn; },
        [this] { return workState().pickedRows(); },
        [this] { return std::span<const int>(m_document->trace().doubtful); },
    };
    m_aids = new PrecisionAids(this, Picture1, std::move(sources), [this](int dx, int dy) { nudge(dx, dy); });
    m_exclusions = new ExclusionAreas(Picture1, [this]() -> const std::vector<QRectF> & { return m_document->exclusions(); }, this);
    m_standingTools.push_back(std::make_unique<CollectTool>(*this));
    m_standingTools.push_back(std::make_unique<ClickModeTool>(*this));
    // The grid follows every change of the values and the scale at once.
    connect(m_corners, &CornerPanel::changed, Picture1, &PictureBox::overlayChanged);
}

void MainWindow::bindKeys()
{
    for (QAction *action : keyActions(*this))
        addAction(action);
}

void MainWindow::showKeys()
{
    showMessage(this, keyListText(), QMessageBox::Information);
}

bool MainWindow::isLoupeOn() const
{
    return m_aids->isLoupeOn();
}

bool MainWindow::isGridOn() const
{
    return m_aids->isGridOn();
}

bool MainWindow::isTraceOverlayOn() const
{
    return m_aids->isTraceOverlayOn();
}

Loupe *MainWindow::loupe() const
{
    return m_aids->loupe();
}

void MainWindow::switchLanguage()
{
    const Language::Choice next = Language::isEnglish() ? Language::Choice::Japanese : Language::Choice::English;
    Language::apply(next);
    Language::remember(next);
}

void MainWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange && Label6) {
        retranslateUi();
        if (m_datasetsWindow)
            m_datasetsWindow->showDatasets(datasets(), currentDataset());
    }
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && m_aids)
        m_aids->windowDeactivated();
}

void MainWindow::forgetPicture(const QString &path)
{
    m_aids->hideTraceOverlay();
    m_aids->setGridNote({});
    // Exclusions and an armed follow belong to the picture they were meant for.
    ++m_pictureShown;
    m_armedTool.reset();
    m_pressedTool = nullptr;
    m_exclusions->showDrawing(std::nullopt);
    m_document->setPicture({path, std::nullopt, std::nullopt});
    // One undo history per picture.
    m_document->startNewHistory();
}

void MainWindow::armTool(std::unique_ptr<PictureTool> tool)
{
    m_armedTool = std::move(tool);
    Picture1->setCursor(Qt::CrossCursor);
}

void MainWindow::armExclusion()
{
    armTool(std::make_unique<ExclusionTool>(*this));
}

void MainWindow::clearExclusions()
{
    if (dynamic_cast<ExclusionTool *>(m_armedTool.get()))
        m_armedTool.reset();
    m_document->setExclusions({});
}

const std::vector<QRectF> &MainWindow::exclusions() const
{
    return m_document->exclusions();
}

void MainWindow::connectHandlers()
{
    observeDocument();
    linkBrowser(Drive1, Dir1, File1, this, &MainWindow::reportUnreadableFolder);
    connect(File1, &QListWidget::itemClicked, this, [this] { Command1->setFocus(); });
    connect(File1, &QListWidget::itemActivated, this, [this] { Command1->setFocus(); });
    connect(Command1, &QPushButton::clicked, this, &MainWindow::loadImage);
    connect(Command2, &QPushButton::clicked, this, &MainWindow::reset);
    connect(Command7, &QPushButton::clicked, this, &MainWindow::exitAndSave);

    connect(Command3, &QPushButton::clicked, this, [this] { armCapture(ClickMode::StartPoint); });
    connect(Command4, &QPushButton::clicked, this, [this] { armCapture(ClickMode::EndPoint); });
    connect(Command9, &QPushButton::clicked, this, [this] { armCapture(ClickMode::PointDigitize); });
    connect(Picture1, &PictureBox::pressed, this, &MainWindow::pictureMouseDown);
    connect(Picture1, &PictureBox::dragged, this, &MainWindow::pictureMouseMoved);
    connect(Picture1, &PictureBox::released, this, &MainWindow::pictureMouseUp);
    connect(m_corners, &CornerPanel::scaleChosen, m_document, &FigureDocument::setScale);
    connect(Command5, &QPushButton::clicked, this, &MainWindow::autoDigitize);

    linkBrowser(Drive2, Dir2, File2, this, &MainWindow::reportUnreadableFolder);
    connect(Command6, &QPushButton::clicked, this, &MainWindow::saveData);
    connect(Command8, &QPushButton::clicked, this, &MainWindow::drawGraph);
}

void MainWindow::startUp()
{
    Dir1->setPath(Drive1->drive());
    // The save browser starts at the working directory too.
    Dir2->setPath(QDir::currentPath());
    hideMarkers();
    for (QLineEdit *readout : {Text5, Text6, Text7, Text8, Text9, Text10, Text11})
        readout->clear();
    m_document->setClickMode(ClickMode::ReadPoint);
    m_corners->setScale(AxisScale::LinearLinear);
    showBanner();
    m_corners->setTexts(readSettingsFile(SettingsFileName));
    // Start-up is no action to undo.
    m_document->startNewHistory();
}

void MainWindow::showBanner()
{
    Picture1->unsetCursor();
    Picture1->clearSurface();
    Picture1->printText(300, 360, QStringLiteral("Curvix Digitizer"), BannerColour);
}

void MainWindow::hideMarkers()
{
    for (int i = 0; i < PictureBox::MarkerCount; ++i)
        Picture1->setMarkerVisible(i, false);
}

void MainWindow::reportUnreadableFolder(const QString &path)
{
    showMessage(this, tr("フォルダを開けません。\n%1").arg(QDir::toNativeSeparators(path)),
                QMessageBox::Warning);
}

void MainWindow::loadImage()
{
    const QString name = File1->fileName();
    if (name.isEmpty()) {
        showMessage(this, tr("ファイルを選択して下さい"));
        return;
    }
    loadPictureFile(Dir1->path() + u'/' + name, Transparency::OnPictureArea);
}

bool MainWindow::loadPictureFile(const QString &path, Transparency transparency, std::optional<PdfChoice> pdf)
{
    if (PdfPage::looksLikePdf(path))
        return loadPdfPage(path, pdf);
    // Decode first: a file that can't be read changes nothing on screen.
    const LoadedImage loaded = loadImageFile(path);
    if (loaded.image.isNull()) {
        reportUnreadablePicture(path, loaded.error);
        return false;
    }
    showPicture(transparency == Transparency::OnWhite ? opaqueOnWhite(loaded.image) : loaded.image, path);
    return true;
}

bool MainWindow::loadPdfPage(const QString &path, std::optional<PdfChoice> pdf)
{
    const PdfPage::Document document = PdfPage::inspect(path);
    if (!document.error.isEmpty()) {
        reportUnreadablePicture(path, document.error);
        return false;
    }
    if (!pdf) {
        // The page and the resolution, chosen with a preview.
        PdfPageDialog dialog(path, document.pageCount, this);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        pdf = PdfChoice{dialog.page(), dialog.dpi()};
    }
    const LoadedImage page = PdfPage::render(path, pdf->page, pdf->dpi);
    if (page.image.isNull()) {
        reportUnreadablePicture(path, page.error);
        return false;
    }
    showPicture(page.image, path);
    m_document->setPicture({path, pdf->page, pdf->dpi});
    return true;
}

void MainWindow::openPicture()
{
    const QString folder = m_document->picture().path.isEmpty() ? Dir1->path() : QFileInfo(m_document->picture().path).path();
    QStringList patterns{QStringLiteral("*.pdf")};
    for (const QByteArray &format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    QFileDialog dialog(this, tr("画像または PDF を開く (Open a picture or PDF)"), folder,
                       QStringLiteral("Pictures and PDFs (%1);;All files (*)").arg(patterns.join(u' ')));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    loadPictureFile(dialog.selectedFiles().first(), Transparency::OnWhite);
}

void MainWindow::showPicture(const QImage &picture, const QString &path)
{
    Picture1->setPicture(picture);
    forgetPicture(path);
    Command3->setFocus();
}

void MainWindow::reportUnreadablePicture(const QString &path, const QString &reason)
{
    showMessage(this, tr("画像を読み込めません。\n%1\n%2").arg(QDir::toNativeSeparators(path), reason),
                QMessageBox::Warning);
}

void MainWindow::reset()
{
    Picture1->setPicture(QImage());
    forgetPicture(QString());
    m_lastPlaced = Placed::Nothing;
    m_document->resetMarks();
    Text9->clear();
    showBanner();
}

void MainWindow::exitAndSave()
{
    if (m_autosave) {
        m_autosaver->finish();
        Recovery::remove(); // a normal exit: nothing to recover
    }
    if (const auto error = writeSettingsFile(SettingsFileName, m_corners->texts())) {
        showMessage(this,
                    tr("%1 を書き込めません。\n%2")
                        .arg(QDir::toNativeSeparators(QDir::current().absoluteFilePath(SettingsFileName)),
                             *error),
                    QMessageBox::Critical);
    }
    if (m_graphWindow)
        m_graphWindow->close();
    hide();
    QApplication::quit();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Closing by the frame ends the program without saving the settings, normally.
    if (m_autosave) {
        m_autosaver->finish();
        Recovery::remove();
    }
    if (m_graphWindow)
        m_graphWindow->close();
    event->accept();
    QApplication::quit();
}

