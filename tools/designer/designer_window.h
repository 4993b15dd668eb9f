#pragma once

// bastara-designer's main window: the form on the left; on the right the
// form's settings (default button, back colour) and the property browser of
// the selected button. A tool bar places and deletes buttons, switches
// between design and run mode, and opens and saves form files in the format
// the application reads.

#include "platform/support/result.h"

#include <QMainWindow>

class QAction;
class QComboBox;
class QGroupBox;

namespace bastara::designer {

class FormSurface;
class PropertyBrowser;
class ValueEditor;

class DesignerWindow : public QMainWindow
{
public:
    explicit DesignerWindow(QWidget* parent = nullptr);

    FormSurface& surface() const { return *m_surface; }
    PropertyBrowser& browser() const { return *m_browser; }
    QAction& runAction() const { return *m_run; }

    // Places a button where it covers no other control.
    void addButton();
    [[nodiscard]] Result<void, QString> openFile(const QString& path);
    [[nodiscard]] Result<void, QString> saveFile(const QString& path);
    // An empty form of the starting size, after asking about unsaved changes.
    void newForm();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildToolBar();
    QWidget* buildSidePanel();
    void openWithDialog();
    bool save();
    bool saveWithDialog();
    // False, after saying why, when the file could not be written.
    bool saveReporting(const QString& path);
    // False when the person cancels: the form stays as it is.
    bool mayDiscardChanges();
    void updateFormSettings();
    void updateTitle();
    void updateActions();

    FormSurface* m_surface;
    PropertyBrowser* m_browser;
    QGroupBox* m_formSettings = nullptr;
    QComboBox* m_defaultButton = nullptr;
    ValueEditor* m_backColor = nullptr;
    QString m_path;
    QAction* m_delete = nullptr;
    QAction* m_run = nullptr;
    QAction* m_add = nullptr;
    QAction* m_save = nullptr;
    QAction* m_saveAs = nullptr;
    QAction* m_resetColors = nullptr;
};

} // namespace bastara::designer
