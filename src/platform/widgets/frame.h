#pragma once

#include "platform/widgets/widget.h"

namespace jex::ui {

// A visual grouping; hiding or disabling it hides or disables what it contains.
class Frame : public Widget {
  public:
    Frame(Screen& screen, std::string name, Widget* container = nullptr, std::string caption = {});

    const std::string& caption() const { return m_caption; }
    void setCaption(std::string caption);

  private:
    std::string m_caption;
};

}  // namespace jex::ui
