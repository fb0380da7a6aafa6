#include "ttextbox.h"

ttextbox::ttextbox() {
    font.setSize(14);
}

std::unique_ptr<ttextbox> ttextbox::copy() const {
    auto box = std::make_unique<ttextbox>();
    box->lines = lines;
    box->font = font;
    box->left = left;
    box->top = top;
    box->right = right;
    box->bottom = bottom;
    box->transparent = transparent;
    box->fillColor = fillColor;
    box->frameWidth = frameWidth;
    box->frameColor = frameColor;
    box->alignment = alignment;
    box->lineHeight = lineHeight;
    box->placeholder = placeholder;
    return box;
}
