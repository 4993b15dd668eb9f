#pragma once

// The custom button as a Qt widget: made with a parent, it is ready at once
// with a new control's defaults, sizes itself in layouts, reports clicks and
// toggles as signals and shows every public property to Qt's property
// system.
//
//     auto* ok = new ButtonWidget(tr("&OK"), dialog);
//     ok->setProperty("ButtonStyle", QVariant::fromValue(ButtonWidget::RoundedLight));
//     layout->addWidget(ok);
//     connect(ok, &ButtonWidget::clicked, dialog, &QDialog::accept);
//
// The properties are the control's (button/property_table.h lists them, with
// their meanings): each WRITE runs the control's own setter, each NOTIFY
// follows the control's change notification, so a change made any way (a
// setter, a click that toggles Value, an option group clearing its other
// members) is reported once it happened. Enumerations are this class's Qt
// enums, with the control's numbers; colours are QColor (a system colour reads
// as the palette shows it and keeps its system value until a colour is set);
// fonts QFont, pictures QPixmap. Setting the widget's own font or enabled flag
// (QWidget::setFont, setEnabled) sets the control's Font and Enabled.
//
// The event table (control().events()) stays for the control's full set of
// events; the signals are raised besides it, after its handler.

#include "button/property_table.h"
#include "button_host/control_host.h"

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>

namespace bastara::button_host {

class ButtonWidget : public ControlHost
{
    Q_OBJECT
    Q_PROPERTY(Look ButtonStyle READ buttonStyle WRITE setButtonStyle NOTIFY buttonStyleChanged)
    Q_PROPERTY(ButtonMode Mode READ mode WRITE setMode NOTIFY modeChanged)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption NOTIFY captionChanged)
    Q_PROPERTY(CaptionAlignment CaptionAlign READ captionAlign WRITE setCaptionAlign NOTIFY
            captionAlignChanged)
    Q_PROPERTY(CaptionEffect CaptionStyle READ captionStyle WRITE setCaptionStyle NOTIFY
            captionStyleChanged)
    Q_PROPERTY(
        ClickMovement CustomClick READ customClick WRITE setCustomClick NOTIFY customClickChanged)
    Q_PROPERTY(Shape ButtonShape READ buttonShape WRITE setButtonShape NOTIFY buttonShapeChanged)
    Q_PROPERTY(QPixmap Picture READ picture WRITE setPicture NOTIFY pictureChanged)
    Q_PROPERTY(PicturePlacement PictureAlign READ pictureAlign WRITE setPictureAlign NOTIFY
            pictureAlignChanged)
    Q_PROPERTY(bool Enabled READ buttonEnabled WRITE setButtonEnabled NOTIFY buttonEnabledChanged)
    Q_PROPERTY(
        bool ShowFocusRect READ showFocusRect WRITE setShowFocusRect NOTIFY showFocusRectChanged)
    Q_PROPERTY(bool Value READ value WRITE setValue NOTIFY toggled)
    Q_PROPERTY(
        PictureSizing PictureSize READ pictureSize WRITE setPictureSize NOTIFY pictureSizeChanged)
    Q_PROPERTY(
        Pointer MousePointer READ mousePointer WRITE setMousePointer NOTIFY mousePointerChanged)
    Q_PROPERTY(QPixmap MouseIcon READ mouseIcon WRITE setMouseIcon NOTIFY mouseIconChanged)
    Q_PROPERTY(QFont Font READ captionFont WRITE setCaptionFont NOTIFY captionFontChanged)
    Q_PROPERTY(int FontStyle READ fontStyle WRITE setFontStyle NOTIFY captionFontChanged)
    Q_PROPERTY(QColor ForeColor READ foreColor WRITE setForeColor NOTIFY foreColorChanged)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor NOTIFY backColorChanged)
    Q_PROPERTY(
        QColor GradientColor READ gradientColor WRITE setGradientColor NOTIFY gradientColorChanged)
    Q_PROPERTY(GradientDirection GradientMode READ gradientMode WRITE setGradientMode NOTIFY
            gradientModeChanged)
    Q_PROPERTY(bool ResetDefaultColors READ resetDefaultColors WRITE setResetDefaultColors NOTIFY
            defaultColorsReset STORED false)
    Q_PROPERTY(HoverLock HoverColorLocks READ hoverColorLocks WRITE setHoverColorLocks NOTIFY
            hoverColorLocksChanged)
    Q_PROPERTY(QColor HoverForeColor READ hoverForeColor WRITE setHoverForeColor NOTIFY
            hoverForeColorChanged)
    Q_PROPERTY(QColor HoverBackColor READ hoverBackColor WRITE setHoverBackColor NOTIFY
            hoverBackColorChanged)

public:
    // The control's enumerations, with its numbers (property_table.cpp names
    // each value the same way). Unscoped, with names unique in the class, as
    // forms from Qt Designer name them ("...::ButtonWidget::RoundedLight").
    enum Look {
        Classic,
        FramedBevel,
        RoundedLight,
        Etched,
        ThinEdge,
        FlatUntilHovered,
        SoftBevel,
        RoundedDark
    };
    Q_ENUM(Look)
    enum ButtonMode { CommandButton, CheckBox, OptionButton };
    Q_ENUM(ButtonMode)
    enum CaptionAlignment { AlignLeft, AlignRight, AlignCenter };
    Q_ENUM(CaptionAlignment)
    enum CaptionEffect { Flat, Embossed, Engraved };
    Q_ENUM(CaptionEffect)
    enum ClickMovement {
        MoveNone,
        MoveUp,
        MoveUpRight,
        MoveUpLeft,
        MoveDownRight,
        MoveDownLeft,
        MoveRight,
        MoveDown,
        MoveLeft
    };
    Q_ENUM(ClickMovement)
    enum Shape {
        Rectangular,
        SlantedLeft,
        SlantedRight,
        SlantedBothSides,
        Oval,
        OvalCaptionWhenChecked,
        OvalFramed,
        PictureFramed,
        PictureRimmed
    };
    Q_ENUM(Shape)
    enum PicturePlacement {
        LeftEdge,
        LeftOfCaption,
        RightEdge,
        RightOfCaption,
        TopCenter,
        BottomCenter
    };
    Q_ENUM(PicturePlacement)
    enum PictureSizing { Px16, Px24, Px32, FillButton, FitButton };
    Q_ENUM(PictureSizing)
    enum Pointer {
        DefaultPointer,
        ArrowPointer,
        CrossPointer,
        IBeamPointer,
        IconPointer,
        SizePointer,
        SizeNESWPointer,
        SizeNSPointer,
        SizeNWSEPointer,
        SizeWEPointer,
        UpArrowPointer,
        HourglassPointer,
        NoDropPointer,
        ArrowAndHourglassPointer,
        ArrowAndQuestionPointer,
        SizeAllPointer,
        CustomPointer = 99
    };
    Q_ENUM(Pointer)
    enum GradientDirection { Solid, LeftToRight, RightToLeft, TopToBottom, BottomToTop };
    Q_ENUM(GradientDirection)
    enum HoverLock { BothLocked, TextColourLocked, FaceColourLocked, NeitherLocked };
    Q_ENUM(HoverLock)

    // A new control in run mode: the caption is the object name (empty
    // until one is set) or the one given, the font the parent's.
    explicit ButtonWidget(QWidget* parent = nullptr);
    explicit ButtonWidget(const QString& caption, QWidget* parent = nullptr);

    // The caption on its lines and the picture whole, with room around them;
    // the minimum leaves only the layout's margins.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    Look buttonStyle() const;
    void setButtonStyle(Look look);
    ButtonMode mode() const;
    void setMode(ButtonMode mode);
    QString caption() const;
    void setCaption(const QString& caption);
    CaptionAlignment captionAlign() const;
    void setCaptionAlign(CaptionAlignment alignment);
    CaptionEffect captionStyle() const;
    void setCaptionStyle(CaptionEffect effect);
    ClickMovement customClick() const;
    void setCustomClick(ClickMovement movement);
    Shape buttonShape() const;
    void setButtonShape(Shape shape);
    QPixmap picture() const;
    void setPicture(const QPixmap& picture);
    PicturePlacement pictureAlign() const;
    void setPictureAlign(PicturePlacement placement);
    bool buttonEnabled() const;
    void setButtonEnabled(bool enabled);
    bool showFocusRect() const;
    void setShowFocusRect(bool show);
    bool value() const;
    void setValue(bool value);
    PictureSizing pictureSize() const;
    void setPictureSize(PictureSizing sizing);
    Pointer mousePointer() const;
    void setMousePointer(Pointer pointer);
    QPixmap mouseIcon() const;
    void setMouseIcon(const QPixmap& icon);
    QFont captionFont() const;
    void setCaptionFont(const QFont& font);
    int fontStyle() const;
    void setFontStyle(int style);
    QColor foreColor() const;
    void setForeColor(const QColor& colour);
    QColor backColor() const;
    void setBackColor(const QColor& colour);
    QColor gradientColor() const;
    void setGradientColor(const QColor& colour);
    GradientDirection gradientMode() const;
    void setGradientMode(GradientDirection direction);
    bool resetDefaultColors() const { return false; }
    void setResetDefaultColors(bool reset);
    HoverLock hoverColorLocks() const;
    void setHoverColorLocks(HoverLock lock);
    QColor hoverForeColor() const;
    void setHoverForeColor(const QColor& colour);
    QColor hoverBackColor() const;
    void setHoverBackColor(const QColor& colour);

    // What a refused setting said (an invalid font, pointer or icon), empty
    // after a setting that was taken.
    QString lastRefusal() const { return m_lastRefusal; }

signals:
    // A left press released over the button, Space, Enter as the default
    // button, an access key, a screen reader's action: the control's Click.
    void clicked();
    // Value changed (check box and option modes; an option group's member
    // cleared by another's selection reports false).
    void toggled(bool checked);
    // The left button or Space went down on the button, and came up again.
    void pressed();
    void released();

    void buttonStyleChanged();
    void modeChanged();
    void captionChanged();
    void captionAlignChanged();
    void captionStyleChanged();
    void customClickChanged();
    void buttonShapeChanged();
    void pictureChanged();
    void pictureAlignChanged();
    void buttonEnabledChanged();
    void showFocusRectChanged();
    void pictureSizeChanged();
    void mousePointerChanged();
    void mouseIconChanged();
    void captionFontChanged();
    void foreColorChanged();
    void backColorChanged();
    void gradientColorChanged();
    void gradientModeChanged();
    void defaultColorsReset();
    void hoverColorLocksChanged();
    void hoverForeColorChanged();
    void hoverBackColorChanged();

protected:
    void controlClicked() override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    // Runs the setter of the control's public property `name` with `value`.
    void setPublic(const char* name, const button::PublicValue& value);
    button::PublicValue getPublic(const char* name) const;
    void onControlPropertyChanged(const QString& key);
    void onControlClicked();
    QColor toColour(button::OleColor colour) const;

    QString m_lastRefusal;
    bool m_lastValue = false;
    bool m_spaceDown = false;
    bool m_leftDown = false;
    // Set while the widget copies the control's font or enabled flag onto
    // QWidget's, so the change it causes is not taken back to the control.
    bool m_mirroring = false;
};

} // namespace bastara::button_host
