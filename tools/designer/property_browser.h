#pragma once

// The property browser: every public property of the selected button in one
// table (name, then an editor fitted to its kind), and under it the
// description of the current row.
//
//     PropertyBrowser browser;
//     browser.setButton(&host);
//     browser.apply(*button::findPublicProperty("Mode"), std::int32_t(1));  // as the editor does
//
// An edit runs the control's setter (button/property_table.h): its rules, its
// change notification and, in design mode, its messages. A change the window
// refuses (a font, a pointer, an icon) is said under the table. The rows show
// the control's values again after every edit and whenever the control
// reports a change (refreshSoon).

#include "button/property_table.h"
#include "button_host/control_host.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <vector>

class QLabel;
class QTableWidget;

namespace bastara::designer {

class ValueEditor;

class PropertyBrowser : public QWidget
{
public:
    explicit PropertyBrowser(QWidget* parent = nullptr);

    // nullptr empties the rows' editors and disables them. An edit under way
    // goes to the button that was shown.
    void setButton(button_host::ControlHost* button);
    button_host::ControlHost* button() const { return m_button; }

    void apply(const button::PublicProperty& property, const button::PublicValue& value);
    // Applies an edit under way (text typed without Enter): before the form
    // runs, is saved, or shows another button.
    void finishEditing();
    // Every row shows the control's values again.
    void refresh();
    // The same, once, after the change under way.
    void refreshSoon();

    // The row of each property, in button::publicProperties() order.
    int rowOf(std::string_view name) const;
    ValueEditor& editorOf(std::string_view name) const;
    QTableWidget& table() const { return *m_table; }
    // The description shown for the current row.
    QString shownDescription() const;
    // Why the last edit was refused; empty when it was not.
    QString shownError() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showDescription(int row);

    QTableWidget* m_table;
    QLabel* m_title;
    QLabel* m_description;
    QLabel* m_error;
    std::vector<ValueEditor*> m_editors;
    QPointer<button_host::ControlHost> m_button;
    QTimer m_refresh;
};

} // namespace bastara::designer
