#pragma once

#include "platform/widgets/widget.h"

namespace jex::ui {

class CommandButton : public Widget {
  public:
    CommandButton(Screen& screen, std::string name, Widget* container, std::string caption);

    const std::string& caption() const { return m_caption; }
    void setCaption(std::string caption);

    std::function<void()> onClick;

    // User input: takes the focus (firing the lost focus of the widget that had it), then
    // fires Click. Ignored when the button does not accept input.
    void userClick();

  private:
    std::string m_caption;
};

}  // namespace jex::ui
