#ifndef QEV_MODEL_READER_H_
#define QEV_MODEL_READER_H_

#include <cstddef>

class TiXmlElement;
struct Workspace;

// Reads the description named by workspace.projectFile into the workspace:
// projects, targets, configurations and settings, with the version,
// platform and tool filters, base configurations and imports (which are
// loaded and exported on the spot). Fails when there is no file, when it
// cannot be loaded ("Error: Cannot load QEV file.", with the reason on
// standard error) or when its root element is not QEV.
bool LoadProjectFile(Workspace& workspace);

// Imports nested deeper than this are refused at the import element, with
// its place: each level holds its description's document while the next is
// read.
constexpr size_t kMaxImportDepth = 200;

// Reads one element and its child elements, depth first. Each child element
// is released from the document once read, so that the document shrinks as
// the model grows.
void ReadElement(Workspace& workspace, TiXmlElement& element);

#endif  // QEV_MODEL_READER_H_
