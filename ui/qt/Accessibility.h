#pragma once
// Names and descriptions for screen readers that read the accessibility tree: every control
// of a window gets a name (its caption, or what it is) and a description (its hint).
class QWidget;

namespace hastelyn::ui {

// Names every control below root that has none yet: buttons and check boxes by their caption,
// lists and fields by the row or page they belong to, pictures by their hint; a label with
// text stays unnamed, so it is read by its text as it stands (the counters change). The hint
// becomes the description. Controls named by hand keep their names.
void nameForAccessibility(QWidget* root);

}  // namespace hastelyn::ui
