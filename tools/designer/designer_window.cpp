#include "tools/designer/designer_window.h"

#include "platform/toolkit/form_file.h"
#include "tools/designer/form_surface.h"
#include "tools/designer/property_browser.h"
#include "tools/designer/property_editors.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QMessageBox>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace bastara::designer {

using button_host::ControlHost;

namespace {

    const QString kFormFilter = QStringLiteral("Form files (*.json);;All files (*)");
    constexpr QSize kNewButtonSize { 137, 41 };

} // namespace

DesignerWindow::DesignerWindow(QWidget* parent)
    : QMainWindow(parent)
    , m_surface(new FormSurface)
    , m_browser(new PropertyBrowser)
{
    auto* scroll = new QScrollArea;
    scroll->setWidget(m_surface);
    scroll->setBackgroundRole(QPalette::Dark);
    auto* splitter = new QSplitter;
    splitter->addWidget(scroll);
    splitter->addWidget(buildSidePanel());
    splitter->setStretchFactor(0, 1);
    splitter->setSizes({ 560, 440 });
    setCentralWidget(splitter);
    buildToolBar();

    connect(m_surface, &FormSurface::selectionChanged, this, [this](ControlHost* selected) {
        m_browser->setButton(selected);
        updateActions();
        updateFormSettings(); // a deleted button leaves the default-button list
        // Nothing selected (a new or another form): nothing of the last one.
        if (selected)
            statusBar()->showMessage(FormSurface::nameOf(*selected));
        else
            statusBar()->clearMessage();
    });
    connect(m_surface, &FormSurface::buttonPropertyChanged, this,
        [this](ControlHost* button, const QString&) {
            if (button == m_browser->button())
                m_browser->refreshSoon();
        });
    connect(m_surface, &FormSurface::modifiedChanged, this, [this] {
        updateTitle();
        updateFormSettings();
    });
    connect(m_surface, &FormSurface::runModeChanged, this, [this](bool run) {
        m_browser->setEnabled(!run);
        m_formSettings->setEnabled(!run);
        m_browser->refresh();
        updateActions();
        statusBar()->showMessage(run ? QStringLiteral("Run mode: the buttons act as they will "
                                                      "for the form's users")
                                     : QStringLiteral("Design mode"));
    });
    updateFormSettings();
    updateTitle();
    updateActions();
    resize(1000, 640);
}

QWidget* DesignerWindow::buildSidePanel()
{
    m_formSettings = new QGroupBox(QStringLiteral("Form"));
    m_defaultButton = new QComboBox;
    m_backColor = createColourEditor(m_formSettings);
    auto* settings = new QFormLayout(m_formSettings);
    settings->addRow(QStringLiteral("Default button"), m_defaultButton);
    settings->addRow(QStringLiteral("Back colour"), m_backColor);
    connect(m_defaultButton, &QComboBox::activated, this, [this](int index) {
        const QString name = m_defaultButton->itemData(index).toString();
        ControlHost* chosen = nullptr;
        for (ControlHost* button : m_surface->buttons())
            if (FormSurface::nameOf(*button) == name)
                chosen = button;
        m_surface->setDefaultButton(chosen);
    });
    m_backColor->edited = [this](const button::PublicValue& value) {
        if (const auto* colour = std::get_if<button::OleColor>(&value))
            m_surface->setBackColor(*colour);
        updateFormSettings();
    };

    auto* panel = new QWidget;
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(4, 0, 0, 0);
    column->addWidget(m_formSettings);
    column->addWidget(m_browser, 1);
    return panel;
}

void DesignerWindow::buildToolBar()
{
    QToolBar* bar = addToolBar(QStringLiteral("Designer"));
    bar->setMovable(false);
    bar->addAction(QStringLiteral("New"), this, [this] { newForm(); });
    bar->addAction(QStringLiteral("Open..."), this, [this] { openWithDialog(); })
        ->setShortcut(QKeySequence::Open);
    m_save = bar->addAction(QStringLiteral("Save"), this, [this] { save(); });
    m_save->setShortcut(QKeySequence::Save);
    m_saveAs = bar->addAction(QStringLiteral("Save As..."), this, [this] { saveWithDialog(); });
    bar->addSeparator();
    m_add = bar->addAction(QStringLiteral("Add Button"), this, [this] { addButton(); });
    m_delete = bar->addAction(QStringLiteral("Delete"), this, [this] {
        if (ControlHost* selected = m_surface->selected())
            m_surface->removeButton(*selected);
    });
    m_resetColors = bar->addAction(QStringLiteral("ResetDefaultColors"), this, [this] {
        if (const button::PublicProperty* reset = button::findPublicProperty("ResetDefaultColors"))
            m_browser->apply(*reset, true);
    });
    m_resetColors->setToolTip(
        QString::fromUtf8(button::findPublicProperty("ResetDefaultColors")->description.data()));
    bar->addSeparator();
    m_run = bar->addAction(QStringLiteral("Run"));
    m_run->setCheckable(true);
    m_run->setToolTip(QStringLiteral("Run the form: click, hover and tab through its buttons"));
    connect(m_run, &QAction::toggled, this, [this](bool run) {
        m_browser->finishEditing();
        m_surface->setRunMode(run);
    });
}

void DesignerWindow::addButton()
{
    m_surface->placeButton(QRect(m_surface->freePlaceFor(kNewButtonSize), kNewButtonSize));
    updateFormSettings();
}

Result<void, QString> DesignerWindow::openFile(const QString& path)
{
    auto layout = toolkit::loadFormFile(path);
    if (!layout)
        return Unexpected { layout.error().message };
    m_run->setChecked(false);
    m_surface->openLayout(*layout);
    m_path = path;
    updateFormSettings();
    updateTitle();
    return {};
}

Result<void, QString> DesignerWindow::saveFile(const QString& path)
{
    m_run->setChecked(false);
    m_browser->finishEditing();
    auto saved = toolkit::saveFormFile(m_surface->saveLayout(), path);
    if (!saved)
        return Unexpected { saved.error().message };
    m_surface->markSaved();
    m_path = path;
    updateTitle();
    statusBar()->showMessage(QStringLiteral("Saved %1").arg(path));
    return {};
}

void DesignerWindow::newForm()
{
    if (!mayDiscardChanges())
        return;
    m_run->setChecked(false);
    m_surface->clear();
    m_path.clear();
    updateFormSettings();
    updateTitle();
}

void DesignerWindow::openWithDialog()
{
    if (!mayDiscardChanges())
        return;
    const QString path
        = QFileDialog::getOpenFileName(this, QStringLiteral("Open Form"), {}, kFormFilter);
    if (path.isEmpty())
        return;
    if (auto opened = openFile(path); !opened)
        QMessageBox::warning(this, QStringLiteral("Open Form"), opened.error());
}

bool DesignerWindow::save()
{
    return m_path.isEmpty() ? saveWithDialog() : saveReporting(m_path);
}

bool DesignerWindow::saveReporting(const QString& path)
{
    if (auto saved = saveFile(path); !saved) {
        QMessageBox::warning(this, QStringLiteral("Save Form"), saved.error());
        return false;
    }
    return true;
}

bool DesignerWindow::saveWithDialog()
{
    QFileDialog dialog(this, QStringLiteral("Save Form"), m_path, kFormFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("json"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    // The form's file changes only once the save has succeeded.
    return saveReporting(dialog.selectedFiles().front());
}

bool DesignerWindow::mayDiscardChanges()
{
    m_browser->finishEditing();
    if (!m_surface->isModified())
        return true;
    const auto answer = QMessageBox::question(this, QStringLiteral("bastara-designer"),
        QStringLiteral("Save the changes to the form?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Save)
        return save();
    return answer == QMessageBox::Discard;
}

void DesignerWindow::closeEvent(QCloseEvent* event)
{
    if (mayDiscardChanges())
        event->accept();
    else
        event->ignore();
}

void DesignerWindow::updateFormSettings()
{
    const QSignalBlocker quiet(m_defaultButton);
    m_defaultButton->clear();
    m_defaultButton->addItem(QStringLiteral("(None)"), QString());
    const ControlHost* current = m_surface->defaultButton();
    for (const ControlHost* button : m_surface->buttons()) {
        const QString name = FormSurface::nameOf(*button);
        m_defaultButton->addItem(name, name);
        if (button == current)
            m_defaultButton->setCurrentIndex(m_defaultButton->count() - 1);
    }
    m_backColor->showValue(m_surface->backColor());
}

void DesignerWindow::updateTitle()
{
    const QString name
        = m_path.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(m_path).fileName();
    setWindowTitle(QStringLiteral("%1[*] - bastara-designer").arg(name));
    setWindowModified(m_surface->isModified());
}

void DesignerWindow::updateActions()
{
    const bool design = !m_surface->runMode();
    const bool selected = design && m_surface->selected();
    m_add->setEnabled(design);
    m_delete->setEnabled(selected);
    m_resetColors->setEnabled(selected);
    m_save->setEnabled(design);
    m_saveAs->setEnabled(design);
}

} // namespace bastara::designer
