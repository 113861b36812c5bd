// ColorBox: the colour drop-down of the pages (Custom..., the standard,
// extended and system colours), changed only by the user.
#pragma once

#include "platform/raster/Colors.h"

#include <QComboBox>

#include <optional>

// A drop-down of colours: "Custom..." first, then the 16 standard colours,
// the 4 extended ones and the 30 system colours that name a colour, each
// with a swatch and a readable name. Selected returns the stored colour unchanged, a system
// colour included; a colour set from code that the list lacks becomes the
// colour of "Custom..." and is selected.
//
// OnChange is raised only by the user: picking an entry, or confirming the
// colour dialog that "Custom..." opens when it is chosen in the open list
// (cancelling it raises nothing and keeps the old selection). Stepping onto
// "Custom..." in the closed box (arrow keys, typing, the wheel) picks its
// colour as it stands, without the modal dialog. A letter typed with Alt,
// Ctrl or Meta belongs to the menus and shortcuts and never searches the
// list. Setting Selected from code raises nothing. The
// mouse wheel steps through the list only while the box has the keyboard
// focus; elsewhere it goes on to the parent, so scrolling past a box never
// changes a colour. The tooltip names what "Custom..." or a system colour
// stands for (#RRGGBB, or the system colour's name).
class TColorBox : public QComboBox
{
    Q_OBJECT

public:
    explicit TColorBox(QWidget* parent = nullptr);

    TColor Selected() const;
    void setSelected(TColor color);

    // The entry's colour; index 0 is "Custom...".
    TColor colorAt(int index) const;
    // The index of the named entry showing `color`, or -1.
    int namedIndexOf(TColor color) const;

    void showPopup() override;

Q_SIGNALS:
    void OnChange();

protected:
    void initStyleOption(QStyleOptionComboBox* option) const override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void updateToolTip();
    void onActivated(int index);
    void setCustomColor(TColor color);

    int m_lastIndex = 0;
    bool m_stepping = false; // the closed box is being stepped through, not chosen from
};


