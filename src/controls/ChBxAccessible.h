#pragma once

// Makes screen readers see TChBxImgTransD1KL as a check box whose toggle action is a real
// click: Qt's own button interface toggles the state directly, which would skip OnClick and
// ignore the box's own Enabled flag. Safe to call more than once.
void installChBxAccessibility();
