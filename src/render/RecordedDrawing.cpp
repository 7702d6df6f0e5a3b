#include "render/RecordedDrawing.h"

#include "core/RunTimeError.h"

void RecordingDrawing::Circle(float x, float y, float r, Colour c, float aspect) {
    // The overlays draw round discs only; an ellipse would need its aspect kept.
    if (aspect != 1.0f) throw RunTimeError(ErrorKind::SurfaceFailure);
    DrawCommand command;
    command.Type = DrawCommand::Kind::Circle;
    command.X1 = x;
    command.Y1 = y;
    command.X2 = r;
    command.Ink = c;
    command.Fill = FillColor;
    command.Filled = FillStyle == FillStyleKind::Solid;
    Commands.push_back(std::move(command));
}

void RecordingDrawing::Line(float x1, float y1, float x2, float y2, Colour c) {
    DrawCommand command;
    command.X1 = x1;
    command.Y1 = y1;
    command.X2 = x2;
    command.Y2 = y2;
    command.Ink = c;
    Commands.push_back(std::move(command));
}

void RecordingDrawing::PrintText(const std::string& text) {
    DrawCommand command;
    command.Type = DrawCommand::Kind::Text;
    command.X1 = CurrentX;
    command.Y1 = CurrentY;
    command.Ink = ForeColor;
    command.Text = text;
    Commands.push_back(std::move(command));
    CurrentX = 0;
    CurrentY += LineHeight();
}

void ReplayDrawing(const std::vector<DrawCommand>& commands, DrawingSurface& S) {
    const Colour fore = S.ForeColor, fill = S.FillColor;
    const FillStyleKind style = S.FillStyle;
    const float textX = S.CurrentX, textY = S.CurrentY;
    for (const DrawCommand& c : commands) {
        switch (c.Type) {
            case DrawCommand::Kind::Line:
                S.Line(c.X1, c.Y1, c.X2, c.Y2, c.Ink);
                break;
            case DrawCommand::Kind::Circle:
                S.FillColor = c.Fill;
                S.FillStyle = c.Filled ? FillStyleKind::Solid : FillStyleKind::Transparent;
                S.Circle(c.X1, c.Y1, c.X2, c.Ink);
                break;
            case DrawCommand::Kind::Text:
                S.ForeColor = c.Ink;
                S.CurrentX = c.X1;
                S.CurrentY = c.Y1;
                S.PrintText(c.Text);
                break;
        }
    }
    S.ForeColor = fore;
    S.FillColor = fill;
    S.FillStyle = style;
    S.CurrentX = textX;
    S.CurrentY = textY;
}
