// Edge sharpness of a picture: the standard deviation of the Laplacian of its grey values. A picture
// blown up from a smaller bitmap has soft edges and a low figure; one drawn at its size, a high one.
//
//   sharpness PICTURE [REFERENCE]
//
// Prints the figure of PICTURE; with a REFERENCE of the same size (the vector source drawn at that
// size), also the reference's figure and the ratio of the two.
#include <QImage>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

double laplacianDeviation(const QImage &picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width();
    const int height = rgb.height();
    std::vector<double> grey(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < width; ++x)
            grey[static_cast<size_t>(y) * width + x]
                = 0.299 * qRed(line[x]) + 0.587 * qGreen(line[x]) + 0.114 * qBlue(line[x]);
    }
    const auto at = [&](int x, int y) { return grey[static_cast<size_t>(y) * width + x]; };
    double sum = 0;
    double squares = 0;
    long count = 0;
    for (int y = 1; y + 1 < height; ++y) {
        for (int x = 1; x + 1 < width; ++x) {
            const double laplacian = at(x - 1, y) + at(x + 1, y) + at(x, y - 1) + at(x, y + 1) - 4 * at(x, y);
            sum += laplacian;
            squares += laplacian * laplacian;
            ++count;
        }
    }
    if (count == 0)
        return 0;
    const double mean = sum / count;
    return std::sqrt(squares / count - mean * mean);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: sharpness PICTURE [REFERENCE]\n");
        return 2;
    }
    const QImage picture(QString::fromLocal8Bit(argv[1]));
    if (picture.isNull()) {
        std::fprintf(stderr, "sharpness: cannot read %s\n", argv[1]);
        return 2;
    }
    const double figure = laplacianDeviation(picture);
    if (argc == 2) {
        std::printf("%.2f\n", figure);
        return 0;
    }
    const QImage reference(QString::fromLocal8Bit(argv[2]));
    if (reference.size() != picture.size()) {
        std::fprintf(stderr, "sharpness: %s is not %dx%d\n", argv[2], picture.width(), picture.height());
        return 2;
    }
    const double referenceFigure = laplacianDeviation(reference);
    std::printf("%.2f %.2f %.3f\n", figure, referenceFigure, figure / referenceFigure);
    return 0;
}
