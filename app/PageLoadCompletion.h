#pragma once

class CZQView;

namespace engine {
class Document;
}

// Brings a page the engine has just loaded up to date with the program's
// model of it, once per engine document of a view: takes its title and marks
// the load completed; the links of a page read from a web address are written
// as full addresses. The result of its last engine call, -1 when it had
// nothing to do; the event sink passes it on as the result of the event.
int OnPageLoadComplete(engine::Document* document, CZQView* view);
