#pragma once

// Makes screen readers see PictureCheckBox as a check box whose toggle action is a real
// click: Qt's own button interface toggles the state directly, which would skip activated and
// ignore the box's own Enabled flag. Safe to call more than once.
void installPictureCheckBoxAccessibility();
