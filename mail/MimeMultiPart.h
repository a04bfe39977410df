#pragma once

#include "MimePart.h"

#include <QList>

// A multipart body: its parts in insertion order between boundary lines. The parts are not owned.
class MimeMultiPart : public MimePart {
public:
    enum MultiPartType { Mixed = 0, Digest = 1, Alternative = 2, Related = 3, Report = 4, Signed = 5, Encrypted = 6 };

    explicit MimeMultiPart(int type = Related);

    void addPart(MimePart* part);
    const QList<MimePart*>& parts() const;
    void setSubtype(int type);
    int subtype() const;

    // Renders every part again and collects them. The boundary is random; should a part's text ever hold
    // it, another one is drawn, so a boundary line can only be a boundary.
    void prepare() override;

    // 32 hex digits from 128 random bits.
    static QString RandomBoundary();

protected:
    QList<MimePart*> m_parts;
    int m_subtype = Related;

private:
    bool collectParts();
};
