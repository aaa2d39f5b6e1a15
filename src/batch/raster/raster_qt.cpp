// PNG and PDF output of pictures through QtGui's painter.
