#pragma once

// The custom button in Qt Designer's widget box, group "Bastara": forms made
// there hold ButtonWidget (button_host/button_widget.h), which uic builds and
// QUiLoader loads with this plugin installed. Designer's property editor
// shows the widget's Qt properties: the control's, with their value names.

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

namespace bastara::designer_plugin {

class ButtonPlugin : public QObject, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetInterface")
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    explicit ButtonPlugin(QObject* parent = nullptr);

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override { return false; }
    QWidget* createWidget(QWidget* parent) override;
    QString domXml() const override;
    bool isInitialized() const override { return m_initialized; }
    void initialize(QDesignerFormEditorInterface* core) override;

private:
    bool m_initialized = false;
};

} // namespace bastara::designer_plugin
