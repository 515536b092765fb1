;以下是自解压文件的脚本：解压到临时文件夹，打开 catalog2.htm。
Title=Catalog
TempMode
Silent=1
Overwrite=1
Setup=catalog2.htm
