#pragma once

namespace engine {

class Node;
class TextGeometry;

// One press of Left (direction < 0) or Right on the caret at a place: one
// character over in the text, where a line ends the end of the line and the
// start of the next one are two steps, and an empty line (a line that only a
// break ends) is a step of its own. White space that takes no room on the
// page is passed over. False, the place unchanged, at the start or end of
// the scope's text.
bool stepCaret(TextGeometry& text, Node*& node, int& offset, int direction, const Node* scope);

} // namespace engine
