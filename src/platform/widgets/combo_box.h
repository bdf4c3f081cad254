#pragma once

#include <vector>

#include "platform/widgets/widget.h"

namespace jex::ui {

// A drop-down list of text entries, indexed from 0; ListIndex -1 means no entry is selected.
class ComboBox : public Widget {
  public:
    ComboBox(Screen& screen, std::string name, Widget* container);

    int listCount() const { return static_cast<int>(m_items.size()); }
    // Raises Invalid property value (380) outside 0..listCount()-1.
    const std::string& list(int index) const;
    const std::vector<std::string>& items() const { return m_items; }
    void addItem(std::string item);
    // Removes every entry; the selection and the text are cleared, no event fires.
    void clear();

    int listIndex() const { return m_listIndex; }
    // Selects entry `index` and fires Click; -1 clears the selection and the text and fires
    // nothing. Raises Invalid property value (380) for any other index outside the entries.
    void setListIndex(int index);

    const std::string& text() const { return m_text; }
    // Text equal to an entry selects that entry and fires Click; any other text is shown with
    // no entry selected (ListIndex -1) and fires nothing.
    void setText(std::string text);

    std::function<void()> onClick;

    // User input: takes the focus, selects entry `index` and fires Click. Ignored when the
    // combo does not accept input or the index is outside the entries.
    void userSelect(int index);

  private:
    std::vector<std::string> m_items;
    int m_listIndex = -1;
    std::string m_text;
};

}  // namespace jex::ui
