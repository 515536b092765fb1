# Writes the shipped data files (templates, style sheets, effects) in the code page.
# Run from the repository root after changing a template: python3 scripts/make-data.py
import os
root = 'data'
def w(path, lines):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    open(path, 'wb').write(('\r\n'.join(lines) + '\r\n').encode('gb18030'))

CSS = ('<style>'
 'body{margin:0;background:#eef1f5;color:#1f2933;font:14px/1.6 "Helvetica Neue",Helvetica,Arial,"PingFang SC","Hiragino Sans GB","Microsoft YaHei","Noto Sans CJK SC","WenQuanYi Zen Hei",sans-serif}'
 '.pg-page{max-width:1000px;margin:28px auto;padding:36px 48px 30px;background:#fff;box-shadow:0 3px 18px rgba(20,30,45,.10);border-top:6px solid #1d4e89}'
 'table.pg-head,table.pg-foot{width:100%!important;table-layout:auto!important;word-break:normal!important}'
 'table.pg-head td{padding:12px 14px;vertical-align:top}'
 'td.pg-left{width:58%}td.pg-right{text-align:right}'
 '.pg-company{font-size:24px;font-weight:700;color:#1d4e89;letter-spacing:.5px;line-height:1.3}'
 '.pg-address,.pg-contact,.pg-meta{font-size:12.5px;color:#5b6776}.pg-address{margin-top:6px}'
 '.pg-title{font-size:21px;font-weight:700;color:#1f2933;line-height:1.3}.pg-meta{margin-top:6px}'
 'td.pg-strip{background:#f3f6fa;font-size:13px;padding:8px 14px}td.pg-strip div{display:inline-block;margin-right:28px}'
 '.pg-k{color:#7a8694;margin-right:6px}.pg-note{display:block!important;margin-top:4px;color:#46525f}'
 '.pg-items{margin-top:18px}.pg-items>br{display:none}'
 '.pg-items>table{width:100%!important;table-layout:auto!important;word-break:normal!important;border-bottom:1px solid #e3e8ee;page-break-inside:avoid;break-inside:avoid}'
 '.pg-items td{padding:0;vertical-align:top}'
 '.pg-items td[colspan]{text-align:center;vertical-align:middle;padding:14px 24px 14px 0}'
 '.pg-items td:last-child{width:100%}'
 '.pg-items img{max-width:220px;max-height:190px;float:none!important;border-radius:3px}'
 '.pg-name{font-size:16px;font-weight:700;margin:0 0 4px}'
 '.pg-no{display:inline-block;min-width:14px;margin-right:10px;padding:0 6px;color:#fff;background:#1d4e89;border-radius:10px;font-size:12px;line-height:20px;text-align:center;vertical-align:2px}'
 '.pg-f{font-size:13.5px}.pg-fs .pg-f{display:inline-block;margin-right:22px}'
 '.pg-price{color:#b3261e;font-weight:700;font-size:15px}'
 '.pg-d{color:#46525f;font-size:13px;margin:6px 0 14px;line-height:1.7}.pg-d:empty{display:none}'
 'table.pg-foot{margin-top:24px;border-top:2px solid #1d4e89}table.pg-foot td{padding:12px 0 0;font-size:12.5px;color:#5b6776}'
 '.pg-frow:empty{display:none}.pg-sign{font-weight:700;color:#1f2933;font-size:14px}.pg-small{font-size:11.5px;color:#8a95a3;margin-top:6px}'
 '@media print{body{background:#fff}.pg-page{box-shadow:none;margin:0;max-width:none;padding:0;border-top:none}}'
 '</style>')
STYLE_DEFAULT = ('<style>.pg-items>table tr:nth-child(n+2){display:none}'
 '.pg-items tr:first-child>td:not(:first-child):not(:last-child){font-size:0}'
 '.pg-items td:last-child{padding:4px 0 0}</style>')
STYLE_COMPACT = ('<style>.pg-items>table tr:nth-child(n+2){display:none}'
 '.pg-items tr:first-child>td:not(:first-child):not(:last-child){font-size:0}'
 '.pg-items td:first-child{padding:8px 18px 8px 0;text-align:center;vertical-align:middle}'
 '.pg-items td:last-child{vertical-align:middle}'
 '.pg-items img{max-width:76px;max-height:76px}'
 '.pg-items .pg-name{display:inline-block;min-width:200px;margin:0 18px 0 0;font-size:14.5px}'
 '.pg-items .pg-d{margin:2px 0 8px}</style>')
STYLE_LARGE = ('<style>.pg-items{display:grid;grid-template-columns:1fr 1fr;gap:20px}'
 '.pg-items>table{border:1px solid #e3e8ee!important;border-radius:6px}'
 '.pg-items>table tr:nth-child(n+3){display:none}'
 '.pg-items tr:nth-child(2)>td:not(:last-child){font-size:0}'
 '.pg-items td{padding:0}.pg-items td[colspan]{padding:18px 18px 10px;width:auto}'
 '.pg-items td:last-child{padding:0 18px}'
 '.pg-items img{max-width:100%;max-height:280px}'
 '@media print{.pg-items{display:block}.pg-items>table{margin-bottom:14px}}</style>')

w(f'{root}/html/自定义名称.txt', [
 ';自定义名称：每行一个定义，格式为 {名称}=内容。生成页面时，模板中的 {名称} 换成这里的内容。',
 ';以分号开头的行是说明，不定义任何名称。下面几行是模板使用的样式表，请勿删除。',
 '{页面样式}=' + CSS,
 '{样式默认}=' + STYLE_DEFAULT,
 '{样式简洁}=' + STYLE_COMPACT,
 '{样式大图}=' + STYLE_LARGE,
])

def head(lang, charset, title_sep):
    return [
     '<!DOCTYPE html>',
     f'<html lang="{lang}">',
     '<head>',
     f'<meta http-equiv="Content-Type" content="text/html; charset={charset}">',
     '<meta name="viewport" content="width=device-width, initial-scale=1">',
     '<meta name="generator" content="Pagora">',
     '<title>{Catalog名称}' + title_sep + '{公司名}</title>',
     '{页面样式}',
     '{style}',
     '{head}',
     '</head>',
     '<body{body}>',
     '<div class="pg-page">',
     '<table class="pg-head" {table1}>',
     '<tr><td class="pg-left">DSP1Q2W1DSP1Q2W2DSP1Q2W3</td><td class="pg-right">DSP1Q2W4DSP1Q2W5</td></tr>',
     '<tr><td class="pg-strip" colspan="2">DSP1Q2W6DSP1Q2W7DSP1Q2W8DSP1Q2W9DSP1Q2W10</td></tr>',
     '</table>',
     '<div class="pg-items">',
    ]
def foot():
    rows = ['<div class="pg-frow">' + ''.join(f'DSP1Q2W{5*r+c}' for c in range(1, 6)) + '</div>' for r in range(10)]
    return ['</div>', '<table class="pg-foot" {table3}>', '<tr><td>'] + rows + ['</td></tr>', '</table>', '</div>', '</body>', '</html>']

w(f'{root}/html/head.htm', head('zh-CN', 'gb2312', ' - '))
w(f'{root}/html/foot.htm', foot())
w(f'{root}/html/英文/head.htm', head('en', 'iso-8859-1', ' - '))
w(f'{root}/html/英文/foot.htm', foot())

def cells(section, table):
    return [f'{section},{c},{r},1,1,0={text}' for (c, r), text in table.items() if text]

ZH = dict(
 company='<div class="pg-company">{公司名}</div>',
 address='<div class="pg-address">{公司地址}　邮编 {邮政编码}</div>',
 contact='<div class="pg-contact">电话 {联系电话}　传真 {传真}　手机 {移动电话}<br>邮箱 {电子邮件}　网址 {网址}</div>',
 meta='<div class="pg-meta">报价单号 {Catalog编号}<br>报价日期 {日期}</div>',
 customer='<div><span class="pg-k">客户</span>{客户公司名} {客户名称}</div>',
 custno='<div><span class="pg-k">客户编号</span>{客户编号}</div>',
 sales='<div><span class="pg-k">业务员</span>{业务员名}</div>',
 currency='<div><span class="pg-k">币种</span>{货币符号}</div><div><span class="pg-k">重量单位</span>{重量单位}</div>',
 note='<div class="pg-note">{Catalog说明}</div>',
 sign='<div class="pg-sign">{公司名}</div>',
 faddr='<div>地址：{公司地址}　邮编：{邮政编码}</div>',
 fcontact='<div>电话：{联系电话}　传真：{传真}　邮箱：{电子邮件}　网址：{网址}</div>',
 small='<div class="pg-small">报价单号 {Catalog编号}　·　生成于 {当前日期} {当前时间}　·　以上报价仅供参考，以双方签订的合同为准。</div>',
 no='编号', spec='规格', price='单价', unit='单位', weight='重量',
)
EN = dict(
 company='<div class="pg-company">{公司名}</div>',
 address='<div class="pg-address">{公司地址}, {邮政编码}</div>',
 contact='<div class="pg-contact">Tel {联系电话} &middot; Fax {传真} &middot; Mobile {移动电话}<br>E-mail {电子邮件} &middot; Web {网址}</div>',
 meta='<div class="pg-meta">Quotation No. {Catalog编号}<br>Date {日期}</div>',
 customer='<div><span class="pg-k">To</span>{客户公司名} {客户名称}</div>',
 custno='<div><span class="pg-k">Customer No.</span>{客户编号}</div>',
 sales='<div><span class="pg-k">Sales</span>{业务员名}</div>',
 currency='<div><span class="pg-k">Currency</span>{货币符号}</div><div><span class="pg-k">Weight unit</span>{重量单位}</div>',
 note='<div class="pg-note">{Catalog说明}</div>',
 sign='<div class="pg-sign">{公司名}</div>',
 faddr='<div>Address: {公司地址}, {邮政编码}</div>',
 fcontact='<div>Tel: {联系电话} &middot; Fax: {传真} &middot; E-mail: {电子邮件} &middot; Web: {网址}</div>',
 small='<div class="pg-small">Quotation No. {Catalog编号} &middot; issued {当前日期} {当前时间} &middot; Prices are for reference; the signed contract prevails.</div>',
 no='Item No.', spec='Specification', price='Unit price', unit='Unit', weight='Weight',
)

def head_and_foot(t, style_name):
    head_cells = {(1,1): t['company'], (2,1): t['address'], (3,1): t['contact'],
                  (4,1): '<div class="pg-title">{Catalog名称}</div>', (5,1): t['meta'],
                  (1,2): t['customer'], (2,2): t['custno'], (3,2): t['sales'], (4,2): t['currency'],
                  (5,2): '{' + style_name + '}' + t['note']}
    foot_cells = {(1,1): t['sign'], (2,1): t['faddr'], (3,1): t['fcontact'], (1,2): t['small']}
    return cells(1, head_cells), cells(3, foot_cells)

def field(label, value, cls='pg-f'):
    return f'<div class="{cls}"><span class="pg-k">{label}</span>{value}</div>'

def text_block(t, inline):
    fields = (field(t['no'], '{编号}') + field(t['spec'], '{规格}') +
              field(t['price'], '<span class="pg-price">{单价}</span> / {单位}') + field(t['weight'], '{重量}'))
    if inline:
        fields = '<div class="pg-fs">' + fields + '</div>'
    return '<div class="pg-name"><span class="pg-no">{序号}</span>{名称}</div>' + fields + '<div class="pg-d">{描述}</div>'

def default_mob(t):
    h, f = head_and_foot(t, '样式默认')
    content = {(10,1): text_block(t, False)}
    return (['/默认版式：左侧图片，右侧商品资料。'] + h + cells(2, content) +
            ['2,1,2,3,3,1=0,0,0,0,3,1,0,0,1,0='] + f)

def compact_mob(t):
    h, f = head_and_foot(t, '样式简洁')
    block = ('<div class="pg-fs"><span class="pg-name"><span class="pg-no">{序号}</span>{名称}</span>' +
             field(t['no'], '{编号}') + field(t['spec'], '{规格}') +
             field(t['price'], '<span class="pg-price">{单价}</span> / {单位}') + field(t['weight'], '{重量}') +
             '</div><div class="pg-d">{描述}</div>')
    content = {(10,1): block}
    return (['/简洁列表：小图，每个商品一行。'] + h + cells(2, content) +
            ['2,1,2,3,3,1=0,0,0,0,1,1,0,0,1,0='] + f)

def large_mob(t):
    h, f = head_and_foot(t, '样式大图')
    content = {(10,2): text_block(t, True)}
    return (['/大图展示：大图在上，每行两个商品。'] + h + cells(2, content) +
            ['2,1,2,3,3,1=0,0,0,0,10,1,0,0,1,0='] + f)

for folder, t in (('html', ZH), ('html/英文', EN)):
    w(f'{root}/{folder}/默认.mob', default_mob(t))
    w(f'{root}/{folder}/简洁列表.mob', compact_mob(t))
    w(f'{root}/{folder}/大图展示.mob', large_mob(t))
w(f'{root}/html/默认.txt', ['默认版式：每个商品一行，左侧是商品图片，右侧是名称、编号、规格、单价、重量和描述。', '适合大多数报价单，打印效果好。'])
w(f'{root}/html/简洁列表.txt', ['简洁列表：小图片，每个商品只占两行，一页可以放下更多商品。', '适合商品多、以价格为主的报价单。'])
w(f'{root}/html/大图展示.txt', ['大图展示：大图片在上，资料在下，每行两个商品。', '适合需要突出商品外观的目录。'])

# Visual effects: modern CSS and script, no browser-specific filters.
effects = {
 '淡入': ('<style>@keyframes pgFadeIn{from{opacity:0}to{opacity:1}}.pg-page{animation:pgFadeIn .9s ease-out both}@media print{.pg-page{animation:none}}</style>', ''),
 '逐项浮现': ('<style>@keyframes pgRise{from{opacity:0;transform:translateY(14px)}to{opacity:1;transform:none}}.pg-items>table{animation:pgRise .55s ease-out both}@media print{.pg-items>table{animation:none}}</style>',
           '<script>document.addEventListener("DOMContentLoaded",function(){var t=document.querySelectorAll(".pg-items>table");for(var i=0;i<t.length;i++)t[i].style.animationDelay=Math.min(i*70,1400)+"ms";});</script>'),
 '图片放大': ('<style>.pg-items img{transition:transform .25s ease,box-shadow .25s ease;cursor:zoom-in}.pg-items img:hover{transform:scale(1.7);box-shadow:0 8px 28px rgba(0,0,0,.25);position:relative;z-index:5}@media print{.pg-items img:hover{transform:none;box-shadow:none}}</style>', ''),
}
for name, (h, b) in effects.items():
    w(f'{root}/css/{name}/{name}head.txt', [h])
    if b:
        w(f'{root}/css/{name}/{name}body.txt', [b])
w(f'{root}/视觉效果.txt', ['淡入=打开页面时整页柔和地淡入显示。', '逐项浮现=商品资料依次从下向上浮现，适合在屏幕上展示。', '图片放大=鼠标停在商品图片上时放大图片，方便客户看清细节。'])
w(f'{root}/rarsfx.s', [';以下是自解压文件的脚本：解压到临时文件夹，打开 catalog2.htm。', 'Title=Catalog', 'TempMode', 'Silent=1', 'Overwrite=1', 'Setup=catalog2.htm'])
