#pragma once
// The Search menu: find and replace on the current tab's document.
namespace workspace {

class Documents;
class MainWindow;

// Connects "찾기 (&F)" and "바꾸기 (&R)" to the modeless find and replace
// windows; they ask for the current document each time they act.
void connectSearchCommands(MainWindow &window, Documents &documents);

} // namespace workspace
