#include "mainwindow.h"

#include "appsettings.h"
#include "catalogue/prompter.h"
#include "qttext.h"
#include "view/catalogueview.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QMimeData>

namespace discora {

namespace {
const QString kAppTitle = QStringLiteral("Discora and CD Player");
const QString kFileFilter = QStringLiteral("Discora Files (*.dcf)");
} // namespace

MainWindow::MainWindow(CatalogueDocument& doc, AppSettings& settings, Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), m_doc(doc), m_settings(settings), m_prompter(prompter)
{
    m_view = new CatalogueView(m_doc, this);
    setCentralWidget(m_view);
    createMenus();
    setAcceptDrops(true);
    m_doc.addObserver(this);
    updateTitle();
}

MainWindow::~MainWindow()
{
    m_doc.removeObserver(this);
}

void MainWindow::createMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&New"), QKeySequence(QStringLiteral("Ctrl+N")), this, [this] { newFile(); });
    file->addAction(QStringLiteral("&Open..."), QKeySequence(QStringLiteral("Ctrl+O")), this, [this] { open(); });
    file->addAction(QStringLiteral("&Save"), QKeySequence(QStringLiteral("Ctrl+S")), this, [this] { save(); });
    file->addAction(QStringLiteral("Save &As..."), this, [this] { saveAs(); });
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);
}

QString MainWindow::documentName() const
{
    return m_currentFile.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(m_currentFile).fileName();
}

void MainWindow::updateTitle()
{
    setWindowTitle(documentName() + QStringLiteral("[*] - ") + kAppTitle);
    setWindowModified(m_doc.isModified());
}

void MainWindow::setCurrentFile(const QString& fileName)
{
    m_currentFile = fileName;
    updateTitle();
}

void MainWindow::modifiedChanged(bool)
{
    updateTitle();
}

bool MainWindow::maybeSave()
{
    if (!m_doc.isModified())
        return true;
    switch (m_prompter.askSaveChanges(toStd(documentName()))) {
    case SaveAnswer::Save: return save();
    case SaveAnswer::Discard: return true;
    case SaveAnswer::Cancel: return false;
    }
    return false;
}

bool MainWindow::newFile()
{
    if (!maybeSave())
        return false;
    m_doc.newDocument();
    const auto& headings = m_settings.headings();
    m_doc.setHeadings(headings[0], headings[1]);
    setCurrentFile(QString());
    return true;
}

bool MainWindow::open()
{
    if (!maybeSave())
        return false;
    const QString fileName = QFileDialog::getOpenFileName(this, QStringLiteral("Open"), QString(), kFileFilter);
    if (fileName.isEmpty())
        return false;
    return openFile(fileName);
}

bool MainWindow::openFile(const QString& fileName)
{
    const Status status = m_doc.openFile(toPath(fileName));
    if (!status) {
        m_prompter.showError(status.error());
        return false;
    }
    setCurrentFile(QFileInfo(fileName).absoluteFilePath());
    return true;
}

bool MainWindow::save()
{
    if (m_currentFile.isEmpty())
        return saveAs();
    return saveFile(m_currentFile);
}

bool MainWindow::saveAs()
{
    QString fileName = QFileDialog::getSaveFileName(this, QStringLiteral("Save As"), m_currentFile, kFileFilter);
    if (fileName.isEmpty())
        return false;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".dcf");
    return saveFile(fileName);
}

bool MainWindow::saveFile(const QString& fileName)
{
    const Status status = m_doc.saveFile(toPath(fileName));
    if (!status) {
        m_prompter.showError(status.error());
        return false;
    }
    setCurrentFile(QFileInfo(fileName).absoluteFilePath());
    return true;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (maybeSave())
        event->accept();
    else
        event->ignore();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile())
            continue;
        event->acceptProposedAction();
        if (maybeSave())
            openFile(url.toLocalFile());
        return;
    }
}

} // namespace discora
