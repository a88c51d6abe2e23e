// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Regenerates assets/netquiz.ico (the Windows program icon) from assets/icon.svg:
// build against Qt Gui and Svg, then run  svg2ico assets/icon.svg assets/netquiz.ico
#include <QGuiApplication>
#include <QSvgRenderer>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QFile>
#include <QBuffer>
#include <QDataStream>
#include <cstdio>
// Writes a multi-size .ico (PNG-compressed entries) from an SVG: ico in.svg out.ico
int main(int c, char**v){ qputenv("QT_QPA_PLATFORM","offscreen"); QGuiApplication a(c,v);
 QSvgRenderer r(QString::fromLocal8Bit(v[1]));
 QList<QByteArray> pngs; QList<int> sizes{16,24,32,48,256};
 for (int s: sizes){ QImage img(s,s,QImage::Format_ARGB32); img.fill(Qt::transparent); QPainter p(&img); p.setRenderHint(QPainter::Antialiasing); r.render(&p); p.end(); QByteArray b; QBuffer buf(&b); buf.open(QIODevice::WriteOnly); img.save(&buf,"PNG"); pngs<<b; }
 QFile f(QString::fromLocal8Bit(v[2])); f.open(QIODevice::WriteOnly); QDataStream d(&f); d.setByteOrder(QDataStream::LittleEndian);
 d<<quint16(0)<<quint16(1)<<quint16(sizes.size()); quint32 off=6+16*sizes.size();
 for(int i=0;i<sizes.size();++i){ int s=sizes[i]; d<<quint8(s==256?0:s)<<quint8(s==256?0:s)<<quint8(0)<<quint8(0)<<quint16(1)<<quint16(32)<<quint32(pngs[i].size())<<quint32(off); off+=pngs[i].size(); }
 for(auto&b:pngs) f.write(b);
}
