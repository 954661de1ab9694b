#pragma once

#include <QToolButton>

#include <cstdint>

namespace vantor::ui {

// A button painted in a colour of setting.ini (red in the lowest byte); a click opens the colour dialog
// (object name "ColorDialog") and the chosen colour becomes the swatch's.
class ColourSwatch : public QToolButton
{
    Q_OBJECT

public:
    explicit ColourSwatch(const char* objectName, QWidget* parent = nullptr);

    std::uint32_t value() const { return m_value; }
    void setValue(std::uint32_t value);

    // The colour as stored: red, green and blue in the three low bytes, top byte 0.
    static std::uint32_t storedValue(const QColor& colour);

private:
    void chooseColour();

    std::uint32_t m_value = 0;
};

} // namespace vantor::ui
