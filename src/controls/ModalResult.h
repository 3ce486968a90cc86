#pragma once

// Results a dialog closes with, as the windows' buttons give them to QDialog::done().
// The values keep the old toolkit's numbering, which the exercise windows' callers test.
enum ModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
};
