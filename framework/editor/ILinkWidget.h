// An invisible area that opens a document or address when clicked.
#pragma once

#include "framework/editor/IWidget.h"

class ILinkWidget : public IWidget {
  public:
    ILinkWidget(VexilBase* plug, const IBox& box, const char* target, const char* fallback,
                const char* caption);

    void PointerDown(int x, int y, const IMouseKeys& keys) override;
    bool Render(IGraphics& graphics) override;
    const char* Target() const { return target_; }
    const char* Fallback() const { return fallback_; }
    const char* Caption() const { return caption_; }

  private:
    // Longer texts are cut to the field; they are paths and captions the
    // product supplies.
    char target_[256] = {};
    char fallback_[256] = {};
    char caption_[1024] = {};
};
