// ZlatovirKonstante: TDugmeStatus, the display states an answer box is
// drawn in (not enabled, none, selected, being checked, correct).
#pragma once

// Display state of an answer box: not selectable (clicks are ignored),
// selectable (highlighted while the mouse is over it), selected, marked
// while the answer is judged, correct.
enum TDugmeStatus { dsNoEnable, dsNone, dsSelect, dsCheched, dsSelectYES };
