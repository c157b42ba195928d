#include "pdf_form_file.h"

#include <QSaveFile>
#include <algorithm>
#include <exception>

#include "print/font_choice.h"
#include "qt/form_document.h"
#include "qt/form_page_setup.h"
#include "qt/whole_file.h"

namespace korvelle {

std::optional<std::string> WritePdfForm(const PdfRequest& request) {
    const std::vector<std::string> faces = InstalledFaces();
    FontChoice font{{}, request.size};
    if (request.face) {
        // A face the system does not have would print in some other face.
        const auto found = std::find(faces.begin(), faces.end(), *request.face);
        if (found == faces.end()) return "no font face \"" + *request.face + "\" on this system (see fc-list : family)";
        font.face = *found;
    } else if (auto courier = PreselectedFace(faces)) {
        font.face = *courier;
    } else {
        font.face = CourierSubstitute();
    }

    QByteArray pdf;
    try {
        pdf = FormPdf(LetterFormLayout(), FormJob{request.kind, font, request.record, request.sheet});
    } catch (const std::exception& error) {
        return std::string("the form could not be made: ") + error.what();
    }
    QSaveFile file(QString::fromLocal8Bit(request.path.c_str()));
    if (auto failure = WriteWhole(file, pdf)) {
        return (failure->what + ": " + failure->reason).toStdString();
    }
    return std::nullopt;
}

}  // namespace korvelle
