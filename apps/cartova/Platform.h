#pragma once
// The program draws without a display: it chooses Qt's offscreen platform
// unless the user chose one with QT_QPA_PLATFORM, and keeps Qt's messages
// about its own set-up (runtime folder, features the platform lacks) off
// stderr, where only messages about the user's files belong.

namespace cartova::cli {

/// Call before the QApplication is created.
void SetUpHeadlessPlatform();

} // namespace cartova::cli
