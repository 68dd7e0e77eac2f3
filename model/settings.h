#ifndef QEV_MODEL_SETTINGS_H_
#define QEV_MODEL_SETTINGS_H_

class TiXmlElement;
struct Workspace;

// Applies a settings element (FILES, PREPROCESSOR, SEARCHPATHS, CFLAGS, ...)
// to the project, target or configuration under the workspace's cursors.
// Elements of any other tag, and elements whose record is not there, change
// nothing.
void ReadSettingsElement(Workspace& workspace, const TiXmlElement& element);

#endif  // QEV_MODEL_SETTINGS_H_
