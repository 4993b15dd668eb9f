#pragma once

// The form being designed: a window on which custom buttons are placed,
// selected, moved and resized, with the form's own settings (its default
// button, its back colour) and a switch between design mode and run mode.
//
//     FormSurface form;
//     ControlHost& ok = form.placeButton({ 16, 16, 137, 41 });   // "kzButtons_H1"
//     form.setDefaultButton(&ok);
//     form.setRunMode(true);              // click, hover and tab as a user would
//     toolkit::FormLayout saved = form.saveLayout();
//
// Design mode: the buttons run with the ambient user mode False and take
// neither the mouse nor the focus; the form does: a press selects the button
// under it, a drag moves it, a drag on a handle of the selection frame
// resizes it (the control's resize handling runs, and a slanted shape may
// widen itself), Delete removes it. Run mode: the buttons are what the user
// of the finished form gets; the selection frame is hidden.
//
// Other kinds of controls of an opened form (labels, lists) are kept as they
// were and written back unchanged; the form shows their outlines only.

#include "button_host/control_host.h"
#include "platform/toolkit/form_layout.h"

#include <QPointer>
#include <QWidget>
#include <optional>
#include <vector>

namespace bastara::designer {

class SelectionFrame;

class FormSurface : public QWidget
{
    Q_OBJECT
public:
    explicit FormSurface(QWidget* parent = nullptr);
    ~FormSurface() override;

    // --- Buttons ---------------------------------------------------------
    // A new button with the next free design name (kzButtons_H1, ...): the
    // control's initialise-new runs, then it is sized and shown, and selected.
    button_host::ControlHost& placeButton(QRect geometry);
    void removeButton(button_host::ControlHost& button);
    // In creation order, which is the tab order.
    std::vector<button_host::ControlHost*> buttons() const;
    // Where a control of this size covers none of the form's controls,
    // scanning rows from the top left, clear of them where there is room; a
    // form without such a place grows at the bottom to make one.
    QPoint freePlaceFor(QSize size);
    static QString nameOf(const button_host::ControlHost& button);

    button_host::ControlHost* selected() const { return m_selected; }
    void select(button_host::ControlHost* button);
    // As the mouse moves and resizes: the size goes through the control's
    // resize handling, which may change it again (slanted shapes).
    void setButtonGeometry(button_host::ControlHost& button, QRect geometry);

    // --- Form settings ---------------------------------------------------
    // The button Enter clicks; nullptr for none. Reaches the buttons as the
    // ambient default-button flag.
    void setDefaultButton(button_host::ControlHost* button);
    button_host::ControlHost* defaultButton() const;
    // The container's back colour; reaches the buttons as an ambient change.
    void setBackColor(button::OleColor colour);
    button::OleColor backColor() const { return m_backColor; }
    // The form's font: what a newly placed button starts with.
    const button::FontDescription& formFont() const { return m_font; }

    // --- Modes -----------------------------------------------------------
    void setRunMode(bool run);
    bool runMode() const { return m_runMode; }

    // --- The stored form ---------------------------------------------------
    // Every button writes its properties into its host's property set (the
    // control's write handling); the set keeps the control's keys in writing
    // order, then the size ("_extentx", "_extenty", HIMETRIC), then any key
    // the control does not know. The form stays modified until markSaved():
    // a layout that never reaches its file saved nothing.
    toolkit::FormLayout saveLayout();
    void markSaved() { setModified(false); }
    // Replaces the form: each custom button is placed with its stored set and
    // runs the control's read handling. Opens in design mode.
    void openLayout(const toolkit::FormLayout& layout);
    // Back to an empty form.
    void clear();

    bool isModified() const { return m_modified; }

signals:
    void selectionChanged(bastara::button_host::ControlHost* selected);
    // A button reported a change of one of its persisted properties.
    void buttonPropertyChanged(bastara::button_host::ControlHost* button, const QString& key);
    void modifiedChanged(bool modified);
    void runModeChanged(bool run);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Entry {
        QPointer<button_host::ControlHost> button;
        toolkit::ControlLayout layout; // what the form file said, for what the designer keeps
    };

    button_host::ControlHost& addHost(const QString& name, QRect geometry);
    button_host::AmbientSettings ambientFor(const QString& name) const;
    void applyMode(button_host::ControlHost& button);
    void updateFrame();
    void setModified(bool modified);
    QString nextButtonName() const;
    button_host::ControlHost* buttonAt(QPoint point) const;
    toolkit::ControlLayout layoutOf(const Entry& entry) const;
    void restoreDesign();

    std::vector<Entry> m_entries; // in creation order; foreign controls have no button
    QPointer<button_host::ControlHost> m_selected;
    SelectionFrame* m_frame = nullptr;
    button::OleColor m_backColor = button::kSystemButtonFace;
    button::FontDescription m_font;
    bool m_runMode = false;
    bool m_modified = false;
    // The form's own members a form file gives, kept for saving.
    toolkit::FormLayout m_form;

    // A drag in progress: moving (no handle) or resizing from a handle.
    struct Drag {
        QPoint start;
        QRect startGeometry;
        int handle = 0; // Handle, 0 = move
    };
    std::optional<Drag> m_drag;

    // What each button held when the form started running.
    struct RunSnapshot {
        QPointer<button_host::ControlHost> button;
        properties::PropertySet stored;
        QRect geometry;
    };
    std::vector<RunSnapshot> m_runSnapshots;
};

} // namespace bastara::designer
