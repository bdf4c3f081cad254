#pragma once

#include "platform/widgets/widget.h"

namespace jex::ui {

// Value 0 unchecked, 1 checked, 2 greyed.
class CheckBox : public Widget {
  public:
    CheckBox(Screen& screen, std::string name, Widget* container, std::string caption = {});

    const std::string& caption() const { return m_caption; }
    void setCaption(std::string caption);
    int value() const { return m_value; }
    // Raises Invalid property value (380) outside 0..2.
    void setValue(int value);

    std::function<void()> onClick;

    // User input: takes the focus, toggles between unchecked and checked, fires Click.
    void userClick();

  private:
    std::string m_caption;
    int m_value = 0;
};

}  // namespace jex::ui
