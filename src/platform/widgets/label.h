#pragma once

#include "platform/widgets/widget.h"

namespace jex::ui {

class Label : public Widget {
  public:
    Label(Screen& screen, std::string name, Widget* container, std::string caption);

    const std::string& caption() const { return m_caption; }
    void setCaption(std::string caption);

  private:
    std::string m_caption;
};

}  // namespace jex::ui
